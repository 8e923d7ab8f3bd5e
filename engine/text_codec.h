#pragma once
// A text's bytes in one encoding to UTF-16 code units and back, a piece at a
// time. A byte that does not decode becomes its stray unit (U+DC00 + byte)
// and is written back as that byte, so no byte is lost; a character the
// encoding has no form for is never written as a stand-in.

#include "engine/encoding.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

struct Decoded {
    std::size_t used;  // bytes
    std::size_t units; // written
    bool invalid;      // some byte did not decode
};

// Decodes the complete characters at the start of input into out, which has
// room for a unit a byte. Without last, a character cut off at the end is
// left for the next piece; with last every byte is used but an odd last byte
// of UTF-16, which is no code unit.
Decoded decodeText(Encoding encoding, std::span<const std::uint8_t> input, bool last,
                   char16_t* out);

struct Encoded {
    std::size_t written; // bytes
    std::size_t units;   // encoded; fewer than given: the next one has no form
};

// Encodes units into out up to the first unit the encoding cannot hold (a
// lone surrogate in UTF-8, a character the code page lacks); no unit takes
// more than this many bytes.
inline constexpr std::size_t kMostBytesPerUnit = 4;
Encoded encodeText(Encoding encoding, std::u16string_view units, std::uint8_t* out);

// The same, appending to strings; encodeText tells the units encoded.
Decoded decodeText(Encoding encoding, std::span<const std::uint8_t> input, bool last,
                   std::u16string& units);
std::size_t encodeText(Encoding encoding, std::u16string_view units,
                       std::vector<std::uint8_t>& output);

} // namespace tolvane
