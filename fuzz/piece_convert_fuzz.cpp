// The fast conversion paths against the plain one: a text fed piece by piece
// through the fast converter, its unused bytes carried into the next piece as
// the streaming code does, gives the same bytes and the same flags as the
// whole text through the reference converter. Taken as UTF-8 until proved
// otherwise, it stops at the first byte that does not decode, having given
// the valid part's bytes.
//
// Input: a byte for the encoding (bits 0-1) and stopping at an invalid byte
// (bit 2), a byte for the piece size, a byte for the number of table entries,
// four bytes per entry (kind and value of its source and of its target), then
// the text.

#include "engine/encoding.h"
#include "engine/piece_convert.h"
#include "engine/table.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace {

using namespace tolvane;

// Units of the kinds the fast paths treat apart: ASCII, two-byte UTF-8 (most
// of them not in code page 936), CJK, fullwidth forms and the private use area
// (code page 936 puts its user-defined characters there). No surrogates and no
// stray-byte units: a table file's lines cannot set them.
char16_t unitOf(std::uint8_t kind, std::uint8_t value) {
    constexpr char16_t kBase[] = {0, 0x80, 0x4E00, 0xFF00, 0xE000};
    return static_cast<char16_t>(kBase[kind % 5] + (kind % 5 == 0 ? value & 0x7F : value));
}

struct Run {
    std::vector<std::uint8_t> bytes;
    bool nonAscii;
    bool invalid;
};

// The streaming code's room for the bytes of a character cut off at a piece's end.
constexpr std::size_t kCarryRoom = 8;

// Mirrors the streaming code: each piece is the carried bytes followed by as
// many new ones as fill pieceSize; a short read makes it the last.
Run convertInPieces(PieceConverter& converter, std::span<const std::uint8_t> text,
                    std::size_t pieceSize, bool stopAtInvalid) {
    std::vector<std::uint8_t> piece;
    std::vector<std::uint8_t> bytes;
    for (bool last = false; !last;) {
        const std::size_t wanted = pieceSize - piece.size();
        const std::size_t got = std::min(wanted, text.size());
        piece.insert(piece.end(), text.begin(), text.begin() + static_cast<long>(got));
        text = text.subspan(got);
        last = got < wanted;
        const PieceConverter::Result result = converter.convert(piece, last);
        bytes.insert(bytes.end(), result.bytes.begin(), result.bytes.end());
        if (stopAtInvalid && converter.sawInvalid()) break;
        check(last || piece.size() - result.used <= kCarryRoom, "no more unused than a character");
        piece.erase(piece.begin(), piece.begin() + static_cast<long>(result.used));
    }
    return {bytes, converter.sawNonAscii(), converter.sawInvalid()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr Encoding kEncodings[] = {Encoding::Gbk, Encoding::Utf8, Encoding::Utf16Le,
                                       Encoding::Utf16Be};
    if (size < 3) return 0;
    const Encoding encoding = kEncodings[data[0] & 3];
    const bool stopAtInvalid = encoding == Encoding::Utf8 && (data[0] & 4) != 0;
    const std::size_t pieceSize = kCarryRoom + 1 + data[1] % 32;
    const std::size_t entries = data[2] % 8;
    if (size < 3 + 4 * entries) return 0;
    复位对照表();
    for (std::size_t i = 0; i < entries; ++i) {
        const std::uint8_t* entry = data + 3 + 4 * i;
        设置对照(unitOf(entry[0], entry[1]), unitOf(entry[2], entry[3]));
    }
    std::span<const std::uint8_t> text{data + 3 + 4 * entries, size - 3 - 4 * entries};

    PieceConverter fast(encoding, PieceConverter::Path::Fast);
    if (stopAtInvalid) fast.stopAtInvalid();
    const Run pieces = convertInPieces(fast, text, pieceSize, stopAtInvalid);
    // Stopped at an invalid byte, it gave what the valid part gives, and that
    // byte, not being ASCII, counts.
    const std::size_t valid = stopAtInvalid ? validUtf8Prefix(text) : text.size();
    const bool cut = valid < text.size();
    PieceConverter reference(encoding, PieceConverter::Path::Reference);
    const PieceConverter::Result whole = reference.convert(text.first(valid), true);
    check(std::ranges::equal(pieces.bytes, whole.bytes), "the same bytes both ways");
    check(pieces.nonAscii == (reference.sawNonAscii() || cut), "the same non-ASCII flag");
    check(pieces.invalid == (reference.sawInvalid() || cut), "the same invalid flag");
    return 0;
}
