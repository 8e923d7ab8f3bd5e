#pragma once
// The three system calls behind the tray icon: add, change or remove the icon;
// replace a window's procedure; run the procedure that was replaced. A Qt layer
// supplies them over its tray icon, a Win32 layer over the shell and user32.

#include "platform/picture.h"

#include <array>
#include <cstdint>

namespace tolvane {

// The 88-byte first form of the shell's notify-icon record, field by field.
struct NotifyIconData {
    std::uint32_t cbSize = 88;
    WindowHandle hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    std::uintptr_t hIcon = 0;
    // ANSI (code page 936) bytes; the shell shows them up to the first NUL.
    std::array<std::uint8_t, 64> szTip{};
};

inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;
inline constexpr std::uint32_t kNifMessage = 1;
inline constexpr std::uint32_t kNifIcon = 2;
inline constexpr std::uint32_t kNifTip = 4;
// WM_USER + 101: the message the icon's mouse notifications arrive with;
// wParam is the icon's uID, lParam the mouse message (0x200 ... 0x206).
inline constexpr std::uint32_t kTrayMessage = 1125;

// Mouse messages that arrive in lParam of the tray message (the Qt front-end
// sends these for a click and a double click).
inline constexpr std::int32_t kLeftButtonDown = 0x201;
inline constexpr std::int32_t kLeftButtonUp = 0x202;
inline constexpr std::int32_t kLeftDoubleClick = 0x203;
inline constexpr std::int32_t kRightButtonDown = 0x204;
inline constexpr std::int32_t kRightButtonUp = 0x205;

using WindowProc = std::intptr_t (*)(WindowHandle window, std::uint32_t message,
                                     std::uintptr_t wParam, std::intptr_t lParam);

class TrayCalls {
  public:
    virtual ~TrayCalls() = default;
    // operation is kNimAdd, kNimModify or kNimDelete; the result is not needed.
    virtual void shellNotifyIcon(std::uint32_t operation, const NotifyIconData& data) = 0;
    // Installs procedure as the window's procedure and returns the previous one.
    virtual WindowProc replaceWindowProc(WindowHandle window, WindowProc procedure) = 0;
    virtual std::intptr_t callWindowProc(WindowProc previous, WindowHandle window,
                                         std::uint32_t message, std::uintptr_t wParam,
                                         std::intptr_t lParam) = 0;
};

} // namespace tolvane
