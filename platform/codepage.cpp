#include "platform/codepage.h"

#include <algorithm>
#include <array>

namespace tolvane {

// Built from the system's iconv when the program is built (cp936_generate.cpp),
// so that nothing is computed at start-up.
extern const CodePage936 kGeneratedCodePage936;

const CodePage936& codePage936() {
    return kGeneratedCodePage936;
}

namespace {

const CodePage936& tables() {
    return codePage936();
}

// Decodes the characters that start before stop into out (room for one unit
// per byte) and returns where the next character starts: the last one may end
// one byte after stop, never after end. The branches follow the text, which
// the processor predicts well; the pair lookup stays off the path that
// decides where the next character starts.
const std::uint8_t* decodeTo(const std::uint8_t* in, const std::uint8_t* stop,
                             const std::uint8_t* end, char16_t*& out) {
    const CodePage936& t = tables();
    while (in < stop) {
        const std::uint8_t lead = *in++;
        const char16_t unit = t.isSingle[lead] || in == end ? 0 : t.pair[lead << 8 | *in];
        if (unit != 0) {
            *out++ = unit;
            ++in;
        } else {
            *out++ = t.single[lead]; // a character by itself, or a stray byte
        }
    }
    return in;
}

// Encodes into out (room for two bytes per unit); returns the bytes written.
std::size_t encodeTo(std::span<const char16_t> units, std::uint8_t* out) {
    const auto& encode = tables().encode;
    std::uint8_t* const start = out;
    for (const char16_t unit : units) {
        const std::uint16_t code = encode[unit];
        if (code >= 0x100) *out++ = static_cast<std::uint8_t>(code >> 8);
        *out++ = static_cast<std::uint8_t>(code);
    }
    return static_cast<std::size_t>(out - start);
}

} // namespace

// Decodes through a small buffer that stays in the cache, so that a large
// text touches only the memory its code units need.
void decodeOemInto(std::span<const std::uint8_t> bytes, std::vector<char16_t>& units) {
    constexpr std::size_t kChunkBytes = 32768;
    std::array<char16_t, kChunkBytes> chunk{};
    units.clear();
    units.reserve(bytes.size());
    const std::uint8_t* in = bytes.data();
    const std::uint8_t* const end = in + bytes.size();
    while (in != end) {
        const std::uint8_t* const stop = in + std::min<std::size_t>(kChunkBytes, end - in);
        char16_t* out = chunk.data();
        in = decodeTo(in, stop, end, out);
        units.insert(units.end(), chunk.data(), out);
    }
}

void encodeOemInto(std::span<const char16_t> units, std::vector<std::uint8_t>& bytes) {
    bytes.resize(units.size() * 2);
    bytes.resize(encodeTo(units, bytes.data()));
}

std::u16string decodeOem(std::span<const std::uint8_t> bytes) {
    std::u16string text(bytes.size(), u'\0');
    char16_t* out = text.data();
    decodeTo(bytes.data(), bytes.data() + bytes.size(), bytes.data() + bytes.size(), out);
    text.resize(static_cast<std::size_t>(out - text.data()));
    return text;
}

std::vector<std::uint8_t> encodeOem(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    encodeOemInto(text, bytes);
    return bytes;
}

// Both code pages are 936 on the systems the program is made for.
std::u16string decodeAnsi(std::span<const std::uint8_t> bytes) {
    return decodeOem(bytes);
}
std::vector<std::uint8_t> encodeAnsi(std::u16string_view text) {
    return encodeOem(text);
}

} // namespace tolvane
