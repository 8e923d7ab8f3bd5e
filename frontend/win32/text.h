#pragma once
// UTF-16 text between the program (char16_t) and the wide-character API
// (wchar_t, also 16 bits on Windows).

#include <string>
#include <windows.h>

namespace tolvane::win32 {

inline const wchar_t* wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string fromWide(const wchar_t* text) {
    return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}

inline HWND hwndOf(std::uintptr_t handle) {
    return reinterpret_cast<HWND>(handle);
}

inline std::uintptr_t handleOf(HWND window) {
    return reinterpret_cast<std::uintptr_t>(window);
}

// A window's text, whatever its length.
std::u16string windowText(HWND window);

} // namespace tolvane::win32
