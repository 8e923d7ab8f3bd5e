#pragma once
// Text in the system's ANSI and OEM code pages to and from UTF-16. Both are code
// page 936 here. A byte that is not valid in the code page (0x80..0xFF) decodes
// to U+DC00 + byte, in U+DC80..U+DCFF, and encodes back to that byte, so stray bytes survive a
// round trip; a code unit the code page cannot represent encodes as the digit "0".

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// The first byte of a two-byte character of code page 936.
inline bool isGbkLeadByte(std::uint8_t byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

// The code unit a byte that does not decode stands for (U+DC80..U+DCFF).
inline bool isStrayByteUnit(char16_t unit) {
    return unit >= 0xDC80 && unit <= 0xDCFF;
}

std::u16string decodeAnsi(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encodeAnsi(std::u16string_view text);

std::u16string decodeOem(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encodeOem(std::u16string_view text);

// The same, into caller-owned buffers that are replaced, for large texts.
void decodeOemInto(std::span<const std::uint8_t> bytes, std::vector<char16_t>& units);
void encodeOemInto(std::span<const char16_t> units, std::vector<std::uint8_t>& bytes);

// Code page 936 as lookup tables, for loops that convert text in bulk. A byte
// that is not single is a lead byte: with the next byte it forms a character
// when pair holds a code unit there (0 when not), otherwise it is a stray byte.
struct CodePage936 {
    std::array<char16_t, 256> single{}; // a stray byte's entry is U+DC00 + byte
    std::array<bool, 256> isSingle{};
    std::array<char16_t, 65536> pair{}; // by (lead << 8 | trail)
    // By code unit: below 0x100 one byte, else two bytes (lead << 8 | trail).
    std::array<std::uint16_t, 65536> encode{};
};
const CodePage936& codePage936();

} // namespace tolvane
