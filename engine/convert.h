#pragma once
// Text through a mapping table, as UTF-16 code units: at each position the
// phrase rule with the longest source that matches there replaces those
// units; where none does, the unit is replaced by its table entry.

#include "engine/table.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace tolvane {

// Converts units in place, left to right, and returns how many are done.
// Without last, the units a longer rule might still cover together with text
// yet to come are left as they are, for the caller to hand in again with what
// follows: the result does not depend on where a text is cut.
std::size_t convertUnits(const 内码对照表& table, std::span<char16_t> units, bool last);

// A whole text: a clipboard's, a file name's.
std::u16string 转换文本(const 内码对照表& table, std::u16string_view text);

} // namespace tolvane
