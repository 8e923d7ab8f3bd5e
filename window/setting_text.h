#pragma once
// How the window reads and writes the numbers kept as text in its settings.

#include <cstdint>
#include <optional>
#include <string>

namespace tolvane {

// The number at the start of a text (blanks before it skipped), 0 when there is none.
double 开头数值(const std::u16string& 文本);

// The number when the whole text (blanks around it aside) is one.
std::optional<double> 整体数值(const std::u16string& 文本);

// To the nearest whole number, halves to even, kept inside the 32-bit range.
std::int32_t 取整(double 数);

// A whole number in decimal, "-" before a negative one.
std::u16string 十进制(std::int64_t 数);

} // namespace tolvane
