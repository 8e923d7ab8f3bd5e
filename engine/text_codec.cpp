#include "engine/text_codec.h"

#include "platform/codepage.h"

#include <algorithm>
#include <cstring>

namespace tolvane {

namespace {

constexpr char16_t kStrayBase = 0xDC00;

bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

Decoded decodeUtf8(std::span<const std::uint8_t> input, bool last, char16_t* const start) {
    char16_t* out = start;
    const std::uint8_t* const begin = input.data();
    const std::uint8_t* in = begin;
    const std::uint8_t* const end = in + input.size();
    bool invalid = false;
    while (in < end) {
        std::uint64_t word = 0;
        if (end - in >= 8 && (std::memcpy(&word, in, 8), (word & 0x8080808080808080ULL) == 0)) {
            for (int k = 0; k < 8; ++k)
                *out++ = in[k];
            in += 8;
            continue;
        }
        // The common case first: a whole 3-byte character (CJK), not a surrogate.
        if (end - in >= 3 && (in[0] & 0xF0) == 0xE0 && (in[1] & 0xC0) == 0x80 &&
            (in[2] & 0xC0) == 0x80) {
            const char32_t code = (in[0] & 0x0F) << 12 | (in[1] & 0x3F) << 6 | (in[2] & 0x3F);
            if (code >= 0x800 && !isSurrogate(code)) {
                *out++ = static_cast<char16_t>(code);
                in += 3;
                continue;
            }
        }
        const int length = utf8SequenceAt(input, static_cast<std::size_t>(in - begin));
        if (length < 0 && !last) break;
        if (length <= 0) { // does not decode: a stray byte
            invalid = true;
            *out++ = static_cast<char16_t>(kStrayBase + *in++);
            continue;
        }
        char32_t code = length == 1 ? in[0] : in[0] & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            code = code << 6 | (in[k] & 0x3F);
        in += length;
        if (code < 0x10000) {
            *out++ = static_cast<char16_t>(code);
        } else {
            *out++ = static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            *out++ = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        }
    }
    return {static_cast<std::size_t>(in - begin), static_cast<std::size_t>(out - start), invalid};
}

Decoded decodeUtf16(std::span<const std::uint8_t> input, bool last, bool bigEndian,
                    char16_t* const start) {
    std::size_t used = input.size() & ~std::size_t{1};
    char16_t* out = start;
    for (std::size_t at = 0; at < used; at += 2) {
        const unsigned low = input[at + (bigEndian ? 1 : 0)];
        const unsigned high = input[at + (bigEndian ? 0 : 1)];
        *out++ = static_cast<char16_t>(high << 8 | low);
    }
    // A surrogate pair stays together in one piece.
    if (!last && out != start && isHighSurrogate(out[-1])) {
        --out;
        used -= 2;
    }
    return {used, static_cast<std::size_t>(out - start), false};
}

inline void putUtf8(char32_t code, std::uint8_t*& out) {
    if (code < 0x80) {
        *out++ = static_cast<std::uint8_t>(code);
        return;
    }
    if (code < 0x800) {
        *out++ = static_cast<std::uint8_t>(0xC0 | code >> 6);
    } else if (code < 0x10000) {
        *out++ = static_cast<std::uint8_t>(0xE0 | code >> 12);
        *out++ = static_cast<std::uint8_t>(0x80 | (code >> 6 & 0x3F));
    } else {
        *out++ = static_cast<std::uint8_t>(0xF0 | code >> 18);
        *out++ = static_cast<std::uint8_t>(0x80 | (code >> 12 & 0x3F));
        *out++ = static_cast<std::uint8_t>(0x80 | (code >> 6 & 0x3F));
    }
    *out++ = static_cast<std::uint8_t>(0x80 | (code & 0x3F));
}

// A pair of surrogates is one character; a lone stray-byte unit is its byte;
// any other lone surrogate has no UTF-8 form.
Encoded encodeUtf8(std::u16string_view units, std::uint8_t* const start) {
    std::uint8_t* out = start;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        if (unit < 0x80) {
            *out++ = static_cast<std::uint8_t>(unit);
        } else if (unit >= 0x800 && !isSurrogate(unit)) { // the common case: CJK
            out[0] = static_cast<std::uint8_t>(0xE0 | unit >> 12);
            out[1] = static_cast<std::uint8_t>(0x80 | (unit >> 6 & 0x3F));
            out[2] = static_cast<std::uint8_t>(0x80 | (unit & 0x3F));
            out += 3;
        } else if (isStrayByteUnit(unit)) {
            *out++ = static_cast<std::uint8_t>(unit - kStrayBase);
        } else if (isHighSurrogate(unit) && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                   units[i + 1] <= 0xDFFF) {
            putUtf8(0x10000 + ((unit - 0xD800) << 10) + (units[++i] - 0xDC00), out);
        } else if (isSurrogate(unit)) {
            return {static_cast<std::size_t>(out - start), i};
        } else {
            putUtf8(unit, out);
        }
    }
    return {static_cast<std::size_t>(out - start), units.size()};
}

Encoded encodeUtf16(std::u16string_view units, bool bigEndian, std::uint8_t* out) {
    for (const char16_t unit : units) {
        const auto low = static_cast<std::uint8_t>(unit & 0xFF);
        const auto high = static_cast<std::uint8_t>(unit >> 8);
        *out++ = bigEndian ? high : low;
        *out++ = bigEndian ? low : high;
    }
    return {2 * units.size(), units.size()};
}

} // namespace

Decoded decodeText(Encoding encoding, std::span<const std::uint8_t> input, bool last,
                   char16_t* out) {
    if (const auto page = codePageOf(encoding)) {
        const DecodedPiece decoded = decodeCodePage(*page, input, last, out);
        return {decoded.used, decoded.units, decoded.strays};
    }
    if (encoding == Encoding::Utf8) return decodeUtf8(input, last, out);
    return decodeUtf16(input, last, encoding == Encoding::Utf16Be, out);
}

Encoded encodeText(Encoding encoding, std::u16string_view units, std::uint8_t* out) {
    if (const auto page = codePageOf(encoding)) {
        const EncodedPiece encoded = encodeCodePage(*page, units, out);
        return {encoded.written, encoded.units};
    }
    if (encoding == Encoding::Utf8) return encodeUtf8(units, out);
    return encodeUtf16(units, encoding == Encoding::Utf16Be, out);
}

Decoded decodeText(Encoding encoding, std::span<const std::uint8_t> input, bool last,
                   std::u16string& units) {
    const std::size_t start = units.size();
    units.resize(start + input.size());
    const Decoded decoded = decodeText(encoding, input, last, units.data() + start);
    units.resize(start + decoded.units);
    return decoded;
}

std::size_t encodeText(Encoding encoding, std::u16string_view units,
                       std::vector<std::uint8_t>& output) {
    const std::size_t start = output.size();
    output.resize(start + kMostBytesPerUnit * units.size());
    const Encoded encoded = encodeText(encoding, units, output.data() + start);
    output.resize(start + encoded.written);
    return encoded.units;
}

} // namespace tolvane
