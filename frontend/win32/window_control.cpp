// The main window itself: caption, icon, state, place in twips, showing.

#include "frontend/win32/form.h"
#include "frontend/win32/text.h"

namespace tolvane::win32 {

namespace {

int showCommand(WindowState state) {
    switch (state) {
    case WindowState::Minimized:
        return SW_MINIMIZE;
    case WindowState::Maximized:
        return SW_MAXIMIZE;
    case WindowState::Normal:
        break;
    }
    return SW_RESTORE;
}

// Keeps the program's own state changes from being reported as the user's.
class OwnChange {
  public:
    explicit OwnChange(Form& form) : form_(form), before_(form.settingState) {
        form_.settingState = true;
    }
    ~OwnChange() { form_.settingState = before_; }
    OwnChange(const OwnChange&) = delete;
    OwnChange& operator=(const OwnChange&) = delete;

  private:
    Form& form_;
    bool before_;
};

} // namespace

HWND WindowControl::hwnd() const {
    return form_.hwnd();
}

void WindowControl::setCaption(const std::u16string& caption) {
    ::SetWindowTextW(hwnd(), wide(caption));
}

std::u16string WindowControl::caption() const {
    return windowText(hwnd());
}

void WindowControl::setIcon(const std::shared_ptr<Picture>& icon) {
    icon_ = icon;
    const auto handle = static_cast<LPARAM>(icon ? icon->handle() : 0);
    ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, handle);
    ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, handle);
}

WindowState WindowControl::state() const {
    if (::IsIconic(hwnd())) return WindowState::Minimized;
    if (::IsZoomed(hwnd())) return WindowState::Maximized;
    return ::IsWindowVisible(hwnd()) ? WindowState::Normal : state_;
}

void WindowControl::setState(WindowState state) {
    state_ = state;
    // A hidden window takes the state when it is shown.
    if (!::IsWindowVisible(hwnd())) return;
    const OwnChange own(form_);
    ::ShowWindow(hwnd(), showCommand(state));
}

void WindowControl::move(int leftTwips, int topTwips) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(hwnd(), &placement);
    RECT& normal = placement.rcNormalPosition;
    const int width = normal.right - normal.left;
    const int height = normal.bottom - normal.top;
    normal.left = form_.pixels(leftTwips);
    normal.top = form_.pixels(topTwips);
    normal.right = normal.left + width;
    normal.bottom = normal.top + height;
    // The placement keeps the window's state and its visibility as they are.
    placement.showCmd = ::IsWindowVisible(hwnd())
                            ? (::IsIconic(hwnd()) ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE)
                            : SW_HIDE;
    const OwnChange own(form_);
    ::SetWindowPlacement(hwnd(), &placement);
}

int WindowControl::left() const {
    RECT frame{};
    ::GetWindowRect(hwnd(), &frame);
    return form_.twips(frame.left);
}

int WindowControl::top() const {
    RECT frame{};
    ::GetWindowRect(hwnd(), &frame);
    return form_.twips(frame.top);
}

int WindowControl::width() const {
    RECT frame{};
    ::GetWindowRect(hwnd(), &frame);
    return form_.twips(frame.right - frame.left);
}

int WindowControl::height() const {
    RECT frame{};
    ::GetWindowRect(hwnd(), &frame);
    return form_.twips(frame.bottom - frame.top);
}

TwipsRect WindowControl::normalRect() const {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(hwnd(), &placement);
    const RECT& normal = placement.rcNormalPosition;
    return {form_.twips(normal.left), form_.twips(normal.top), form_.twips(normal.right),
            form_.twips(normal.bottom)};
}

void WindowControl::show() {
    const OwnChange own(form_);
    const int command = state_ == WindowState::Minimized   ? SW_SHOWMINIMIZED
                        : state_ == WindowState::Maximized ? SW_SHOWMAXIMIZED
                                                           : SW_SHOW;
    ::ShowWindow(hwnd(),
                 ::IsIconic(hwnd()) && state_ == WindowState::Normal ? SW_RESTORE : command);
    ::SetForegroundWindow(hwnd());
}

void WindowControl::hide() {
    ::ShowWindow(hwnd(), SW_HIDE);
}

void WindowControl::close() {
    ::SendMessageW(hwnd(), WM_CLOSE, 0, 0);
}

double WindowControl::textWidth(const std::u16string& text) const {
    return form_.textExtent(text).cx;
}

} // namespace tolvane::win32
