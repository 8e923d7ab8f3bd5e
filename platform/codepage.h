#pragma once
// Text in the Chinese code pages to and from UTF-16, the same on every
// system: the tables are made from the build machine's iconv when the program
// is built (codepage_generate.cpp).
//
// A byte that does not decode becomes U+DC00 + byte (U+DC80..U+DCFF, a stray
// byte) and encodes back to that byte, so any bytes survive a round trip. A
// lead byte that does not begin a valid character with the bytes after it is
// one stray byte, and decoding goes on at the next byte, which may begin a
// character of its own. Only a lone unit in U+DC80..U+DCFF is a stray byte:
// after a high surrogate it is half of a character beyond U+FFFF.
//
// A few characters have two forms: Big5 has ten (two numerals and eight box
// lines written twice), GB18030 six (characters beyond U+FFFF that have a
// two-byte form besides their four-byte one). Both forms decode to the
// character, which encodes back to the form iconv writes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

enum class CodePage {
    Gbk,    // code page 936
    Big5,   // code page 950
    Gb18030 // code page 936's superset with four-byte sequences for the rest of Unicode
};

// The first byte of a two-byte character of code page 936.
inline bool isGbkLeadByte(std::uint8_t byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

// The code unit a byte that does not decode stands for (U+DC80..U+DCFF).
inline bool isStrayByteUnit(char16_t unit) {
    return unit >= 0xDC80 && unit <= 0xDCFF;
}
inline char16_t strayByteUnit(std::uint8_t byte) {
    return static_cast<char16_t>(0xDC00 + byte);
}

// An encode entry no code uses: 0xFF never begins a two-byte code.
inline constexpr std::uint16_t kNoCode = 0xFFFF;

// A code page's one- and two-byte characters as lookup tables, for loops that
// convert text in bulk. A byte that is not single is a lead byte: with the
// next byte it forms a character when pair holds a code unit there (0 when
// not). Otherwise, in GB18030 it may begin a four-byte sequence or one of the
// two-byte forms of a character beyond U+FFFF; anywhere else it is a stray
// byte. The general functions below know every case.
struct DoubleByteTable {
    std::array<char16_t, 256> single{}; // a byte that is not single: its stray-byte unit
    std::array<bool, 256> isSingle{};
    std::array<char16_t, 65536> pair{}; // by (lead << 8 | trail)
    // By code unit: below 0x100 one byte, else two bytes (lead << 8 | trail);
    // kNoCode when the unit has neither form: the code page cannot hold it,
    // or it is GB18030's four-byte sequence, or it is a surrogate (a pair of
    // them is one character). A stray byte's unit gives its byte.
    std::array<std::uint16_t, 65536> encode{};
};
const DoubleByteTable& doubleByteTable(CodePage page);

// Writes a unit's one- or two-byte code at out; false, and nothing written,
// when its entry is kNoCode.
inline bool putCode(const DoubleByteTable& table, char16_t unit, std::uint8_t*& out) {
    const std::uint16_t code = table.encode[unit];
    if (code == kNoCode) return false;
    if (code >= 0x100) *out++ = static_cast<std::uint8_t>(code >> 8);
    *out++ = static_cast<std::uint8_t>(code);
    return true;
}

// Appends the units of the one character at the start of bytes (not empty),
// or its first byte's stray-byte unit; returns the bytes used. Returns 0, and
// appends nothing, when bytes end before the character can be told and last
// is false: the caller carries those bytes into the next piece.
std::size_t decodeCharacter(CodePage page, std::span<const std::uint8_t> bytes, bool last,
                            std::u16string& units);

// Decodes the complete characters of bytes into out, which has room for a
// unit a byte: with last false a character cut at the end (up to three bytes
// of a GB18030 four-byte sequence) is left for the next piece; with last true
// every byte is used, a cut character's bytes as stray bytes.
struct DecodedPiece {
    std::size_t used = 0;  // bytes
    std::size_t units = 0; // written
    bool strays = false;   // some byte did not decode
};
DecodedPiece decodeCodePage(CodePage page, std::span<const std::uint8_t> bytes, bool last,
                            char16_t* out);
// The same, appending to units; returns the bytes used.
std::size_t decodeCodePage(CodePage page, std::span<const std::uint8_t> bytes, bool last,
                           std::u16string& units);

// Encodes units into out up to the first unit the code page cannot hold. A
// surrogate pair is one character; a high surrogate at the end of units is
// taken as a lone one. No unit takes more than kMostBytesPerCodePageUnit.
inline constexpr std::size_t kMostBytesPerCodePageUnit = 4;
struct EncodedPiece {
    std::size_t written = 0; // bytes
    std::size_t units = 0;   // encoded: units.size() when all fit
};
EncodedPiece encodeCodePage(CodePage page, std::u16string_view units, std::uint8_t* out);
// The same, appending to bytes; returns the units encoded.
std::size_t encodeCodePage(CodePage page, std::u16string_view units,
                           std::vector<std::uint8_t>& bytes);

// The index of the first unit the code page cannot hold (for a surrogate pair,
// its high surrogate); units.size() when there is none.
std::size_t firstUnencodable(CodePage page, std::u16string_view units);

// Text in the system's ANSI and OEM code pages: both are code page 936 here.
// A unit it cannot hold is written as the digit "0".
std::u16string decodeAnsi(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encodeAnsi(std::u16string_view text);
std::u16string decodeOem(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encodeOem(std::u16string_view text);

// Code page 936's tables with "0" as the code of a unit it cannot hold, for
// the converter that still writes that stand-in.
using CodePage936 = DoubleByteTable;
const CodePage936& codePage936();

} // namespace tolvane
