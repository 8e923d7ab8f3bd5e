#pragma once
// The shortcuts for a table without phrase rules, in code page 936 and UTF-8:
// decoding, converting and encoding in one step through the table's
// FastTables, ASCII copied in bulk. They give the same bytes as the way
// through UTF-16 code units.

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
std::size_t convertGbkFused(const 内码对照表& table, std::span<const std::uint8_t> input, bool last,
                            std::uint8_t*& out, FusedFlags flags);
std::size_t convertUtf8Fused(const 内码对照表& table, std::span<const std::uint8_t> input,
                             bool last, std::uint8_t*& out, FusedFlags flags);

} // namespace tolvane
