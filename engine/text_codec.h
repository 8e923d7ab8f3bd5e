#pragma once
// A text's bytes in one encoding to UTF-16 code units and back, a piece at a
// time. A byte that does not decode becomes its stray unit (U+DC00 + byte)
// and is written back as that byte, so no byte is lost.

#include "engine/encoding.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// Appends the units of the complete characters at the start of input and
// returns the bytes used. Without last, a character cut off at the end is
// left for the next piece; with last every byte is used but an odd last byte
// of UTF-16, which is no code unit.
std::size_t decodeText(Encoding encoding, std::span<const std::uint8_t> input, bool last,
                       std::u16string& units);

// Appends the bytes of units.
void encodeText(Encoding encoding, std::u16string_view units, std::vector<std::uint8_t>& output);

} // namespace tolvane
