#include "frontend/win32/desktop.h"

#include "frontend/win32/picture.h"
#include "frontend/win32/resources/resource_ids.h"
#include "frontend/win32/text.h"

namespace tolvane::win32 {

namespace {

UINT boxStyle(MessageIcon icon, MessageButtons buttons) {
    UINT style = buttons == MessageButtons::OkCancel ? MB_OKCANCEL : MB_OK;
    if (icon == MessageIcon::Stop) style |= MB_ICONSTOP;
    return style;
}

} // namespace

Win32Desktop::Win32Desktop(Form& form)
    : form_(form), clipboard_(form.hwnd()), idleIcon_(resourceIcon(TOLVANE_IDLE_ICON, 16)),
      busyIcon_(resourceIcon(TOLVANE_BUSY_ICON, 16)) {
    form_.onPosted = [this] { runPosted(); };
    form_.onTaskbarCreated = [this] { tray_.addAgain(); };
}

Win32Desktop::~Win32Desktop() {
    stopAccepting();
    form_.onPosted = nullptr;
    form_.onTaskbarCreated = nullptr;
}

void Win32Desktop::stopAccepting() {
    const std::lock_guard lock(postMutex_);
    accepting_ = false;
    posted_.clear();
}

MessageAnswer Win32Desktop::messageBox(const std::u16string& title, const std::u16string& text,
                                       MessageIcon icon, MessageButtons buttons) {
    // A hidden window (in the tray) cannot carry the box.
    const HWND owner = ::IsWindowVisible(form_.hwnd()) ? form_.hwnd() : nullptr;
    const int result = ::MessageBoxW(owner, wide(text), wide(title),
                                     boxStyle(icon, buttons) | (owner ? 0 : MB_TASKMODAL));
    return result == IDOK ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void Win32Desktop::dispatch(MSG& message) {
    if (::IsDialogMessageW(form_.hwnd(), &message)) return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

void Win32Desktop::processEvents() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The loop that owns the thread must still see it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

int Win32Desktop::screenWidth() const {
    return form_.twips(::GetSystemMetrics(SM_CXSCREEN));
}

int Win32Desktop::screenHeight() const {
    return form_.twips(::GetSystemMetrics(SM_CYSCREEN));
}

void Win32Desktop::postToWindowThread(std::function<void()> call) {
    const std::lock_guard lock(postMutex_);
    if (!accepting_ || !::IsWindow(form_.hwnd())) return;
    posted_.push_back(std::move(call));
    // One message may carry several calls; a spare one finds the queue empty.
    ::PostMessageW(form_.hwnd(), Form::kPostedCalls, 0, 0);
}

void Win32Desktop::runPosted() {
    for (;;) {
        std::function<void()> call;
        {
            const std::lock_guard lock(postMutex_);
            if (posted_.empty()) return;
            call = std::move(posted_.front());
            posted_.pop_front();
        }
        call();
    }
}

bool Win32Desktop::hasTray() const {
    return ::FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr;
}

int runMessageLoop(Win32Desktop& desktop) {
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0)
        desktop.dispatch(message);
    return static_cast<int>(message.wParam);
}

} // namespace tolvane::win32
