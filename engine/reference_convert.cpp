// The plain way through a UTF-16 buffer, against which the fast paths are
// checked: decode, replace every unit through the table, encode.

#include "engine/piece_convert.h"
#include "engine/table.h"
#include "platform/codepage.h"
#include "platform/utf8.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace tolvane::detail {

namespace {

// A byte that does not decode stands for itself as U+DC00 + byte, in
// U+DC80..U+DCFF, in code page 936 and UTF-8 alike; the table leaves it alone.
constexpr bool isStray(char16_t unit) {
    return unit >= 0xDC80 && unit <= 0xDCFF;
}

std::size_t decodeGbk(std::span<const std::uint8_t> input, bool last, std::u16string& units) {
    const CodePage936& codePage = codePage936();
    std::size_t at = 0;
    while (at < input.size()) {
        const std::uint8_t lead = input[at];
        if (codePage.isSingle[lead]) {
            units += codePage.single[lead];
            ++at;
            continue;
        }
        if (at + 1 == input.size() && !last) break;
        const char16_t pair = at + 1 < input.size() ? codePage.pair[lead << 8 | input[at + 1]] : 0;
        units += pair != 0 ? pair : static_cast<char16_t>(0xDC00 + lead);
        at += pair != 0 ? 2 : 1;
    }
    return at;
}

// The bytes of a valid UTF-8 start cut off by the end of input.
std::size_t cutUtf8Tail(std::span<const std::uint8_t> input) {
    for (std::size_t back = 1; back <= 3 && back <= input.size(); ++back)
        if (utf8SequenceAt(input, input.size() - back) < 0) return back;
    return 0;
}

std::size_t decodeUtf16(std::span<const std::uint8_t> input, bool last, bool bigEndian,
                        std::u16string& units) {
    std::size_t used = input.size() & ~std::size_t{1};
    for (std::size_t at = 0; at < used; at += 2) {
        const unsigned low = input[at + (bigEndian ? 1 : 0)];
        const unsigned high = input[at + (bigEndian ? 0 : 1)];
        units += static_cast<char16_t>(high << 8 | low);
    }
    if (last) return used;
    // A surrogate pair stays together in one piece.
    if (!units.empty() && units.back() >= 0xD800 && units.back() <= 0xDBFF) {
        units.pop_back();
        used -= 2;
    }
    return used;
}

void encodeUtf16(std::u16string_view units, bool bigEndian, std::vector<std::uint8_t>& output) {
    for (const char16_t unit : units) {
        const auto low = static_cast<std::uint8_t>(unit & 0xFF);
        const auto high = static_cast<std::uint8_t>(unit >> 8);
        output.push_back(bigEndian ? high : low);
        output.push_back(bigEndian ? low : high);
    }
}

bool isUtf16(Encoding encoding) {
    return encoding == Encoding::Utf16Le || encoding == Encoding::Utf16Be;
}

} // namespace

std::size_t decodePiece(Encoding encoding, std::span<const std::uint8_t> input, bool last,
                        std::u16string& units) {
    if (encoding == Encoding::Gbk) return decodeGbk(input, last, units);
    if (encoding != Encoding::Utf8)
        return decodeUtf16(input, last, encoding == Encoding::Utf16Be, units);
    const std::size_t used = input.size() - (last ? 0 : cutUtf8Tail(input));
    units += fromUtf8(std::string_view(reinterpret_cast<const char*>(input.data()), used));
    return used;
}

std::size_t convertByReference(Encoding encoding, std::span<const std::uint8_t> input, bool last,
                               std::vector<std::uint8_t>& output, bool& sawNonAscii,
                               bool& sawInvalid) {
    const bool bigEndian = encoding == Encoding::Utf16Be;
    std::u16string units;
    std::size_t used = decodePiece(encoding, input, last, units);
    if (encoding == Encoding::Gbk) sawInvalid = sawInvalid || std::ranges::any_of(units, isStray);
    if (encoding == Encoding::Utf8)
        sawInvalid = sawInvalid || validUtf8Prefix(input.first(used)) != used;
    sawNonAscii = sawNonAscii || std::ranges::any_of(input.first(used), [](std::uint8_t byte) {
                      return byte >= 0x80;
                  });

    for (char16_t& unit : units)
        if (isUtf16(encoding) || !isStray(unit)) unit = 查表(unit);

    if (encoding == Encoding::Gbk) {
        const std::vector<std::uint8_t> bytes = encodeOem(units);
        output.insert(output.end(), bytes.begin(), bytes.end());
    } else if (encoding == Encoding::Utf8) {
        const std::string bytes = toUtf8(units);
        output.insert(output.end(), bytes.begin(), bytes.end());
    } else {
        encodeUtf16(units, bigEndian, output);
        // An odd last byte is no code unit: it is kept as it is.
        if (last && used < input.size()) output.push_back(input[used++]);
    }
    return used;
}

} // namespace tolvane::detail
