// A text fed piece by piece through the fast converter, unused bytes carried
// into the next piece as the streaming code does, gives the same bytes and
// flags as the whole text through the reference converter; stopping at an
// invalid UTF-8 byte gives what the valid part gives.
// Input: encoding (bits 0-1) and stop-at-invalid (bit 2), piece size, number
// of table entries, 4 bytes per entry (kind and value of source and target), text.

#include "engine/encoding.h"
#include "engine/piece_convert.h"
#include "engine/table.h"
#include "fuzz_check.h"

#include <algorithm>
#include <span>
#include <vector>

using namespace tolvane;

namespace {

// ASCII, two-byte UTF-8, CJK, fullwidth forms and private use; no surrogates
// nor stray-byte units, which no table file can set.
char16_t unitOf(std::uint8_t kind, std::uint8_t value) {
    constexpr char16_t kBase[] = {0, 0x80, 0x4E00, 0xFF00, 0xE000};
    return static_cast<char16_t>(kBase[kind % 5] + (kind % 5 == 0 ? value & 0x7F : value));
}

constexpr std::size_t kCarryRoom = 8; // the streaming code's room for a cut character

std::vector<std::uint8_t> convertInPieces(PieceConverter& converter,
                                          std::span<const std::uint8_t> text, std::size_t pieceSize,
                                          bool stopAtInvalid) {
    std::vector<std::uint8_t> piece, bytes;
    for (bool last = false; !last;) {
        const std::size_t wanted = pieceSize - piece.size(), got = std::min(wanted, text.size());
        piece.insert(piece.end(), text.begin(), text.begin() + static_cast<long>(got));
        text = text.subspan(got);
        last = got < wanted;
        const PieceConverter::Result result = converter.convert(piece, last);
        bytes.insert(bytes.end(), result.bytes.begin(), result.bytes.end());
        if (stopAtInvalid && converter.sawInvalid()) break;
        check(last || piece.size() - result.used <= kCarryRoom, "no more unused than a character");
        piece.erase(piece.begin(), piece.begin() + static_cast<long>(result.used));
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr Encoding kEncodings[] = {Encoding::Gbk, Encoding::Utf8, Encoding::Utf16Le,
                                       Encoding::Utf16Be};
    if (size < 3 || size < 3 + 4 * (data[2] % 8U)) return 0;
    const Encoding encoding = kEncodings[data[0] & 3];
    const bool stopAtInvalid = encoding == Encoding::Utf8 && (data[0] & 4) != 0;
    const std::size_t entries = data[2] % 8;
    复位对照表();
    for (const std::uint8_t* e = data + 3; e < data + 3 + 4 * entries; e += 4)
        设置对照(unitOf(e[0], e[1]), unitOf(e[2], e[3]));
    const std::span<const std::uint8_t> text{data + 3 + 4 * entries, size - 3 - 4 * entries};

    PieceConverter fast(encoding, PieceConverter::Path::Fast);
    if (stopAtInvalid) fast.stopAtInvalid();
    const auto pieces = convertInPieces(fast, text, kCarryRoom + 1 + data[1] % 32, stopAtInvalid);
    // Stopped at an invalid byte, that byte, not being ASCII, counts.
    const std::size_t valid = stopAtInvalid ? validUtf8Prefix(text) : text.size();
    const bool cut = valid < text.size();
    PieceConverter reference(encoding, PieceConverter::Path::Reference);
    check(std::ranges::equal(pieces, reference.convert(text.first(valid), true).bytes),
          "the same bytes both ways");
    check(fast.sawNonAscii() == (reference.sawNonAscii() || cut) &&
              fast.sawInvalid() == (reference.sawInvalid() || cut),
          "the same flags");
    return 0;
}
