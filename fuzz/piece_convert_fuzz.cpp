// A text fed piece by piece through the converter, unused bytes carried into
// the next piece as the streaming code does, gives the same bytes as the whole
// text the plain way (tests/engine/reference_convert.h), or the same refusal,
// with and without phrase rules, in every encoding and written in any other;
// stopping at an invalid UTF-8 byte gives what the valid part gives, and the
// flags say what was seen.
// Input: encoding read (bits 0-2), written (bits 3-5: the one read when out of
// range) and stop-at-invalid (bit 6), piece size, number of character entries
// (4 bytes each: kind and value of source and target), number of phrase rules
// (a length byte, then 4 bytes a unit: source and target), then the text.

#include "engine/encoding.h"
#include "engine/piece_convert.h"
#include "engine/text_codec.h"
#include "fuzz_check.h"
#include "platform/codepage.h"
#include "tests/engine/reference_convert.h"

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

// Takes bytes off the front of the input.
struct Reader {
    std::span<const std::uint8_t> rest;
    bool has(std::size_t count) const { return rest.size() >= count; }
    std::uint8_t byte() {
        const std::uint8_t value = rest[0];
        rest = rest.subspan(1);
        return value;
    }
    char16_t unit() {
        const std::uint8_t kind = byte();
        return unitOf(kind, byte());
    }
};

bool readTable(Reader& in, testing::ReferenceTable& table) {
    for (std::size_t entries = in.byte() % 8; entries > 0; --entries) {
        if (!in.has(4)) return false;
        const char16_t from = in.unit();
        table.characters[from] = in.unit();
    }
    if (!in.has(1)) return false;
    for (std::size_t rules = in.byte() % 4; rules > 0; --rules) {
        if (!in.has(1)) return false;
        const std::size_t length = 2 + in.byte() % 4;
        if (!in.has(4 * length)) return false;
        std::u16string source, target;
        for (std::size_t k = 0; k < length; ++k)
            source += in.unit(), target += in.unit();
        table.phrases[source] = target;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr Encoding kEncodings[] = {Encoding::Gbk,     Encoding::Utf8, Encoding::Utf16Le,
                                       Encoding::Utf16Be, Encoding::Big5, Encoding::Gb18030};
    Reader in{{data, size}};
    if (!in.has(3)) return 0;
    const std::uint8_t mode = in.byte();
    const Encoding encoding = kEncodings[(mode & 7) % 6];
    const Encoding output = (mode >> 3 & 7) < 6 ? kEncodings[mode >> 3 & 7] : encoding;
    const bool stopAtInvalid = encoding == Encoding::Utf8 && (mode & 64) != 0;
    const std::size_t pieceSize = 1 + in.byte() % 32;
    testing::ReferenceTable reference;
    if (!readTable(in, reference)) return 0;
    const TablePtr table = reference.build();
    const std::span<const std::uint8_t> text = in.rest;

    PieceConverter converter(*table, encoding, output);
    if (stopAtInvalid) converter.stopAtInvalid();
    const std::size_t valid = stopAtInvalid ? validUtf8Prefix(text) : text.size();
    const auto expected = reference.convert(encoding, text.first(valid), output);
    try {
        const auto pieces = testing::convertInPieces(converter, text, pieceSize, stopAtInvalid);
        check(expected && std::ranges::equal(pieces, *expected), "the same bytes as the plain way");
    } catch (const CannotEncode& refusal) {
        check(!expected && refusal.encoding() == output, "refused where the plain way is");
        return 0;
    }
    // Stopped at an invalid byte, that byte, not being ASCII, counts.
    const bool invalid = valid < text.size() ||
                         (encoding == Encoding::Utf8 && validUtf8Prefix(text) < text.size()) ||
                         (codePageOf(encoding) && [&] {
                             std::u16string units;
                             return decodeText(encoding, text, true, units).invalid;
                         }());
    const bool nonAscii =
        std::ranges::any_of(text.first(valid), [](std::uint8_t b) { return b >= 0x80; }) ||
        valid < text.size();
    // They matter to the byte encodings only, where UTF-8 is tried first.
    check(encoding == Encoding::Utf16Le || encoding == Encoding::Utf16Be ||
              (converter.sawInvalid() == invalid && converter.sawNonAscii() == nonAscii),
          "the flags say what was seen");
    return 0;
}
