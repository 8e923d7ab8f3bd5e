// What the system's converter says about code page 936, asked for explicitly
// so that the system's own ANSI and OEM code pages play no part.

#include "platform/codepage_system.h"

#include <windows.h>

namespace tolvane {

namespace {

constexpr UINT kCodePage = 936;

// Windows also maps GBK's user-defined areas (and 0xFF) to the Private Use
// Area; iconv does not. Leaving that area out keeps both systems on the same
// code page: those bytes stay stray bytes and come back unchanged, and both
// programs give the same bytes for the same input.
constexpr bool isPrivateUse(wchar_t unit) {
    return unit >= 0xE000 && unit <= 0xF8FF;
}

} // namespace

char16_t systemDecode936(std::span<const std::uint8_t> bytes) {
    wchar_t units[2] = {};
    const int count = ::MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS,
                                            reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<int>(bytes.size()), units, 2);
    return count == 1 && !isPrivateUse(units[0]) ? static_cast<char16_t>(units[0]) : 0;
}

std::size_t systemEncode936(char16_t unit, std::array<std::uint8_t, 2>& out) {
    const wchar_t in = static_cast<wchar_t>(unit);
    if (isPrivateUse(in)) return 0;
    char bytes[4] = {};
    BOOL usedDefault = FALSE;
    // No best fit: a code unit the code page lacks must not become a look-alike.
    const int count = ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, &in, 1, bytes,
                                            sizeof bytes, nullptr, &usedDefault);
    if (count < 1 || count > 2 || usedDefault) return 0;
    for (int i = 0; i < count; ++i)
        out[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bytes[i]);
    return static_cast<std::size_t>(count);
}

} // namespace tolvane
