#include "frontend/win32/tray.h"

#include "platform/codepage.h"

#include <algorithm>
#include <cwchar>

namespace tolvane::win32 {

namespace {

// Per hooked window: the portable procedure the native trampoline calls, and
// the native procedure it replaced, handed out as "previous".
struct Hook {
    WindowProc procedure;
    WNDPROC previous;
};
std::map<HWND, Hook> hooks;

WindowProc portable(WNDPROC native) {
    // Only ever passed back to callWindowProc or replaceWindowProc, never called.
    return reinterpret_cast<WindowProc>(reinterpret_cast<void (*)()>(native));
}

WNDPROC native(WindowProc procedure) {
    return reinterpret_cast<WNDPROC>(reinterpret_cast<void (*)()>(procedure));
}

void mergeInto(NOTIFYICONDATAW& shown, const NOTIFYICONDATAW& change) {
    if (change.uFlags & NIF_ICON) shown.hIcon = change.hIcon;
    if (change.uFlags & NIF_TIP)
        std::copy(std::begin(change.szTip), std::end(change.szTip), shown.szTip);
    if (change.uFlags & NIF_MESSAGE) shown.uCallbackMessage = change.uCallbackMessage;
    shown.uFlags |= change.uFlags;
}

} // namespace

NOTIFYICONDATAW nativeRecord(const NotifyIconData& data) {
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof record;
    record.hWnd = reinterpret_cast<HWND>(data.hWnd);
    record.uID = data.uID;
    record.uFlags = data.uFlags & (NIF_MESSAGE | NIF_ICON | NIF_TIP);
    record.uCallbackMessage = data.uCallbackMessage;
    record.hIcon = reinterpret_cast<HICON>(data.hIcon);
    const auto end = std::find(data.szTip.begin(), data.szTip.end(), std::uint8_t{0});
    const std::u16string tip = decodeAnsi(
        std::span(data.szTip.data(), static_cast<std::size_t>(end - data.szTip.begin())));
    const std::size_t length = std::min(tip.size(), std::size(record.szTip) - 1);
    std::copy_n(tip.begin(), length, record.szTip);
    return record;
}

ShellTrayCalls::~ShellTrayCalls() {
    if (shown_) ::Shell_NotifyIconW(NIM_DELETE, &*shown_);
}

void ShellTrayCalls::shellNotifyIcon(std::uint32_t operation, const NotifyIconData& data) {
    NOTIFYICONDATAW record = nativeRecord(data);
    ::Shell_NotifyIconW(operation, &record);
    if (operation == kNimAdd) shown_ = record;
    if (operation == kNimModify && shown_) mergeInto(*shown_, record);
    if (operation == kNimDelete) shown_.reset();
}

void ShellTrayCalls::addAgain() {
    if (shown_) ::Shell_NotifyIconW(NIM_ADD, &*shown_);
}

WindowProc ShellTrayCalls::replaceWindowProc(WindowHandle window, WindowProc procedure) {
    const HWND hwnd = reinterpret_cast<HWND>(window);
    const auto found = hooks.find(hwnd);
    if (found == hooks.end()) {
        const auto previous = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
            hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ShellTrayCalls::trampoline)));
        hooks[hwnd] = {procedure, previous};
        return portable(previous);
    }
    const Hook hook = found->second;
    if (procedure == portable(hook.previous)) {
        // Putting back what was there before: the trampoline goes too.
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook.previous));
        hooks.erase(found);
    } else {
        found->second.procedure = procedure;
    }
    return hook.procedure;
}

std::intptr_t ShellTrayCalls::callWindowProc(WindowProc previous, WindowHandle window,
                                             std::uint32_t message, std::uintptr_t wParam,
                                             std::intptr_t lParam) {
    if (!previous) return 0;
    return ::CallWindowProcW(native(previous), reinterpret_cast<HWND>(window), message, wParam,
                             lParam);
}

LRESULT CALLBACK ShellTrayCalls::trampoline(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    const auto found = hooks.find(window);
    if (found == hooks.end() || !found->second.procedure)
        return ::DefWindowProcW(window, message, wParam, lParam);
    return found->second.procedure(reinterpret_cast<WindowHandle>(window), message, wParam, lParam);
}

} // namespace tolvane::win32
