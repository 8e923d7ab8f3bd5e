#pragma once
// The tray calls over the shell and user32: Shell_NotifyIconW, and the owner
// window's procedure replaced with SetWindowLongPtrW and called on with
// CallWindowProcW, so that the same code serves the 32-bit and the 64-bit build.

#include "platform/tray.h"

#include <map>
#include <optional>
#include <windows.h>

namespace tolvane::win32 {

class ShellTrayCalls : public TrayCalls {
  public:
    ShellTrayCalls() = default;
    ShellTrayCalls(const ShellTrayCalls&) = delete;
    ShellTrayCalls& operator=(const ShellTrayCalls&) = delete;
    ~ShellTrayCalls() override;

    void shellNotifyIcon(std::uint32_t operation, const NotifyIconData& data) override;
    WindowProc replaceWindowProc(WindowHandle window, WindowProc procedure) override;
    std::intptr_t callWindowProc(WindowProc previous, WindowHandle window, std::uint32_t message,
                                 std::uintptr_t wParam, std::intptr_t lParam) override;

    // After Explorer restarted ("TaskbarCreated"): the icon shown goes back in.
    void addAgain();

  private:
    static LRESULT CALLBACK trampoline(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The icon as last added and changed, while it is shown.
    std::optional<NOTIFYICONDATAW> shown_;
};

// The shell's record for ours; the tip goes from code page 936 to UTF-16.
NOTIFYICONDATAW nativeRecord(const NotifyIconData& data);

} // namespace tolvane::win32
