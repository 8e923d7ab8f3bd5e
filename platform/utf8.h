#pragma once
// UTF-8 <-> UTF-16 for file names and messages. A byte that is not part of
// valid UTF-8 becomes the reserved code unit U+DC00 + byte (a lone low
// surrogate in U+DC80..U+DCFF), and such a code unit turns back into that byte, so any byte
// string survives the round trip unchanged.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tolvane {

// The length of the valid UTF-8 sequence at bytes[at] (below 0x80 too), 0 when
// it is not one; -1 when it is a valid start cut off by the end of bytes.
int utf8SequenceAt(std::span<const std::uint8_t> bytes, std::size_t at);

std::u16string fromUtf8(std::string_view bytes);
std::string toUtf8(std::u16string_view text);

} // namespace tolvane
