#pragma once
// The shortcuts for a text written in its own encoding, in the Chinese code
// pages and UTF-8, there with phrase rules too: decoding, converting and encoding in one step
// through the table's FastTables, ASCII copied in bulk. They give the same bytes as the way through
// UTF-16 code units.

#include "engine/encoding.h"
#include "engine/table.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace tolvane {

struct FusedFlags {
    bool& nonAscii;
    bool& invalid;
    bool stopAtInvalid;
};

// Converts the complete characters of input into out, which has room for
// three bytes for every input byte and kFusedSlack more; returns the bytes
// used.
inline constexpr std::size_t kFusedSlack = 32;
// encoding is GBK, Big5 or GB18030. Both throw CannotEncode.
std::size_t convertDoubleByteFused(const 内码对照表& table, Encoding encoding,
                                   std::span<const std::uint8_t> input, bool last,
                                   std::uint8_t*& out, FusedFlags flags);
// With phrase rules, the characters a rule might still cover together with
// the next piece are left unused.
std::size_t convertUtf8Fused(const 内码对照表& table, std::span<const std::uint8_t> input,
                             bool last, std::uint8_t*& out, FusedFlags flags);

} // namespace tolvane
