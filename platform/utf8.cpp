#include "platform/utf8.h"

#include "platform/codepage.h"

namespace tolvane {

namespace {

bool isContinuation(std::uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

// The code point of the valid sequence of length bytes at in.
char32_t codePointAt(const std::uint8_t* in, int length) {
    // The lead byte's payload: all 7 bits of ASCII, fewer after a longer prefix.
    char32_t code = length == 1 ? in[0] : in[0] & (0x7F >> length);
    for (int k = 1; k < length; ++k)
        code = code << 6 | (in[k] & 0x3F);
    return code;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

int utf8SequenceAt(std::span<const std::uint8_t> bytes, std::size_t at) {
    const std::uint8_t lead = bytes[at];
    int length = 0;
    std::uint8_t low = 0x80;  // the allowed range of the second byte, against
    std::uint8_t high = 0xBF; // overlong forms, surrogates and code points past U+10FFFF
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    for (int k = 1; k < length; ++k) {
        if (at + k >= bytes.size()) return -1;
        const std::uint8_t byte = bytes[at + k];
        if (k == 1 ? byte < low || byte > high : !isContinuation(byte)) return 0;
    }
    return length;
}

std::u16string fromUtf8(std::string_view text) {
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const int length = utf8SequenceAt(bytes, i);
        if (length <= 0) {
            out += strayByteUnit(bytes[i++]);
            continue;
        }
        const char32_t cp = codePointAt(&bytes[i], length);
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += static_cast<std::size_t>(length);
    }
    return out;
}

std::string toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (isStrayByteUnit(unit)) {
            out += static_cast<char>(unit & 0xFF);
        } else if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() &&
                   text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            const char32_t cp = 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            appendUtf8(out, cp);
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            appendUtf8(out, 0xFFFD); // a lone surrogate has no UTF-8 form
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

} // namespace tolvane
