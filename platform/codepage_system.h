#pragma once
// The system's own converter for code page 936, asked once about every byte
// sequence and code unit while codepage.cpp builds its tables. Each system's
// folder implements these two.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tolvane {

// The one code unit the bytes (one or two) form in code page 936, or 0 when
// they are not exactly one character.
char16_t systemDecode936(std::span<const std::uint8_t> bytes);

// The bytes of the code unit in code page 936 and their number (1 or 2); 0
// when the code page cannot represent it.
std::size_t systemEncode936(char16_t unit, std::array<std::uint8_t, 2>& out);

} // namespace tolvane
