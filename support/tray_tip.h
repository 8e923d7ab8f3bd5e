#pragma once
// The tip text as the notify-icon record holds it.

#include <array>
#include <cstdint>
#include <string>

namespace tolvane {

// The text, one NUL, blanks up to 64 characters (a longer text cut at 64), in
// the ANSI code page, cut to 64 bytes. The shell needs a NUL within them, so a
// tip that fills them ends before its last whole character that fits in 63.
std::array<std::uint8_t, 64> trayTipBytes(const std::u16string& tip);

} // namespace tolvane
