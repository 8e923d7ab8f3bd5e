#pragma once
// Text through the mapping table, one code unit at a time.

#include <cstdint>
#include <vector>

namespace tolvane {

// Replaces every code unit by its table entry. True when cancelled: the units
// before the cancel are converted, the rest unchanged, 取消标志 cleared again.
// Without a worker thread it lets the window run once before the first unit and
// after every 1001st.
bool 转换内码(std::vector<char16_t>& 内码);

// Between two pieces of a file: without a worker thread the window gets to run;
// true when the user asked to stop, 取消标志 then cleared again.
bool 分段之间();

// The same on a buffer of UTF-16 code units, low byte first; an odd last byte is
// dropped. A cancelled conversion leaves the partly converted text in the buffer.
bool 转换字节(std::vector<std::uint8_t>& 字节);

// The buffer's whole code units; a buffer of fewer than two bytes leaves 内码 as it was.
void 字节转内码(const std::vector<std::uint8_t>& 字节, std::vector<char16_t>& 内码);
// The code units as bytes, low byte first; no code units leave 字节 as it was.
void 内码转字节(const std::vector<char16_t>& 内码, std::vector<std::uint8_t>& 字节);

} // namespace tolvane
