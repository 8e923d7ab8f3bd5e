// Code page 936 through tables built once from what the system's converter
// says about each byte sequence and code unit (codepage_system.h).

#include "platform/codepage.h"

#include "platform/codepage_system.h"

#include <algorithm>
#include <array>
#include <memory>

namespace tolvane {

namespace {

// A byte that is not valid in the code page (always 0x80 or above) lands on
// U+DC80..U+DCFF, and such a code unit goes back to that byte.
constexpr char16_t kStrayBase = 0xDC00;
constexpr bool isStray(char16_t unit) {
    return unit >= 0xDC80 && unit <= 0xDCFF;
}

constexpr std::uint8_t kUnrepresentable = '0';

struct Tables {
    // Decoding: the code unit of each byte that is a character by itself.
    std::array<char16_t, 256> single{};
    std::array<bool, 256> isSingle{};
    // Decoding: the code unit of a two-byte character by (lead << 8 | trail); 0 = invalid.
    std::array<char16_t, 65536> pair{};
    // Encoding: below 0x100 one byte, else two bytes (lead << 8 | trail).
    std::array<std::uint16_t, 65536> encode{};
};

void fillDecoding(Tables& tables) {
    for (unsigned lead = 0; lead < 256; ++lead) {
        const std::array<std::uint8_t, 1> one{static_cast<std::uint8_t>(lead)};
        const char16_t unit = systemDecode936(one);
        if (unit != 0 || lead == 0) {
            tables.single[lead] = unit;
            tables.isSingle[lead] = true;
            continue;
        }
        tables.single[lead] = static_cast<char16_t>(kStrayBase + lead);
        for (unsigned trail = 0; trail < 256; ++trail) {
            const std::array<std::uint8_t, 2> two{static_cast<std::uint8_t>(lead),
                                                  static_cast<std::uint8_t>(trail)};
            const char16_t pair = systemDecode936(two);
            if (!isStray(pair)) tables.pair[lead << 8 | trail] = pair;
        }
    }
}

std::uint16_t encodingOf(char16_t unit) {
    if (isStray(unit)) return static_cast<std::uint16_t>(unit - kStrayBase);
    std::array<std::uint8_t, 2> out{};
    const std::size_t size = systemEncode936(unit, out);
    if (size == 1) return out[0];
    if (size == 2 && out[0] >= 0x80) return static_cast<std::uint16_t>(out[0] << 8 | out[1]);
    return kUnrepresentable;
}

void fillEncoding(Tables& tables) {
    for (unsigned unit = 0; unit < 65536; ++unit)
        tables.encode[unit] = encodingOf(static_cast<char16_t>(unit));
}

const Tables& tables() {
    static const std::unique_ptr<const Tables> built = [] {
        auto fresh = std::make_unique<Tables>();
        fillDecoding(*fresh);
        fillEncoding(*fresh);
        return fresh;
    }();
    return *built;
}

// Decodes the characters that start before stop into out (room for one unit
// per byte) and returns where the next character starts: the last one may end
// one byte after stop, never after end. The branches follow the text, which
// the processor predicts well; the pair lookup stays off the path that
// decides where the next character starts.
const std::uint8_t* decodeTo(const std::uint8_t* in, const std::uint8_t* stop,
                             const std::uint8_t* end, char16_t*& out) {
    const Tables& t = tables();
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
