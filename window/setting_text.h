#pragma once
// How the window turns the numbers of its settings into whole numbers and
// writes them; support/number_text.h reads them.

#include <cstdint>
#include <string>

namespace tolvane {

// To the nearest whole number, halves to even, kept inside the 32-bit range.
std::int32_t 取整(double 数);

// A whole number in decimal, "-" before a negative one.
std::u16string 十进制(std::int64_t 数);

} // namespace tolvane
