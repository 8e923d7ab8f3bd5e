#include "engine/text_codec.h"

#include "platform/codepage.h"
#include "platform/utf8.h"

namespace tolvane {

namespace {

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

std::size_t decodeUtf8(std::span<const std::uint8_t> input, bool last, std::u16string& units) {
    const std::size_t used = input.size() - (last ? 0 : cutUtf8Tail(input));
    units += fromUtf8(std::string_view(reinterpret_cast<const char*>(input.data()), used));
    return used;
}

std::size_t decodeUtf16(std::span<const std::uint8_t> input, bool last, bool bigEndian,
                        std::u16string& units) {
    std::size_t used = input.size() & ~std::size_t{1};
    for (std::size_t at = 0; at < used; at += 2) {
        const unsigned low = input[at + (bigEndian ? 1 : 0)];
        const unsigned high = input[at + (bigEndian ? 0 : 1)];
        units += static_cast<char16_t>(high << 8 | low);
    }
    // A surrogate pair stays together in one piece.
    if (!last && used != 0 && units.back() >= 0xD800 && units.back() <= 0xDBFF) {
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

} // namespace

std::size_t decodeText(Encoding encoding, std::span<const std::uint8_t> input, bool last,
                       std::u16string& units) {
    switch (encoding) {
    case Encoding::Gbk:
        return decodeGbk(input, last, units);
    case Encoding::Utf8:
        return decodeUtf8(input, last, units);
    default:
        return decodeUtf16(input, last, encoding == Encoding::Utf16Be, units);
    }
}

void encodeText(Encoding encoding, std::u16string_view units, std::vector<std::uint8_t>& output) {
    switch (encoding) {
    case Encoding::Gbk: {
        const std::vector<std::uint8_t> bytes = encodeOem(units);
        output.insert(output.end(), bytes.begin(), bytes.end());
        break;
    }
    case Encoding::Utf8: {
        const std::string bytes = toUtf8(units);
        output.insert(output.end(), bytes.begin(), bytes.end());
        break;
    }
    default:
        encodeUtf16(units, encoding == Encoding::Utf16Be, output);
    }
}

} // namespace tolvane
