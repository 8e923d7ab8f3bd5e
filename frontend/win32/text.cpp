#include "frontend/win32/text.h"

namespace tolvane::win32 {

std::u16string windowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const int got = ::GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), length + 1);
    text.resize(static_cast<std::size_t>(got));
    return text;
}

} // namespace tolvane::win32
