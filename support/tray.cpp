// 系统栏: the tray icon's state machine over the three system calls.

#include "support/tray.h"

#include "support/tray_tip.h"

namespace tolvane {

namespace {

constexpr std::int32_t kLeftButton = 1;
constexpr std::int32_t kRightButton = 2;

NotifyIconData recordFor(WindowHandle window, std::int32_t id) {
    NotifyIconData record;
    record.hWnd = window;
    record.uID = static_cast<std::uint32_t>(id);
    return record;
}

} // namespace

系统栏::系统栏(TrayCalls& calls) : calls_(calls) {}

系统栏::~系统栏() {
    Class_Terminate();
}

void 系统栏::setListener(系统栏事件* listener) {
    listener_ = listener;
}

void 系统栏::TrayIcon(const std::shared_ptr<Picture>& Icon) {
    if (!Ready || !Icon || Icon->type() != Picture::kIcon) return;
    if (Hooked) {
        NotifyIconData record = recordFor(OwnerWindow, IconId);
        record.hIcon = Icon->handle();
        record.uFlags = kNifIcon;
        calls_.shellNotifyIcon(kNimModify, record);
    }
    IconPicture = Icon;
}

std::shared_ptr<Picture> 系统栏::TrayIcon() {
    if (!IconPicture) IconPicture = emptyPicture();
    return IconPicture;
}

void 系统栏::TrayTip(const std::u16string& Tip) {
    if (!Ready) return;
    if (Hooked) {
        NotifyIconData record = recordFor(OwnerWindow, IconId);
        record.szTip = trayTipBytes(Tip);
        record.uFlags = kNifTip;
        calls_.shellNotifyIcon(kNimModify, record);
    }
    TipText = Tip;
}

std::u16string 系统栏::TrayTip() const {
    return TipText;
}

bool 系统栏::InTray() const {
    return TrayState;
}

void 系统栏::InTray(bool Show) {
    if (!Ready || Show == TrayState) return;
    // The procedure is in place before the icon can send anything, and the
    // icon is gone before the procedure is put back.
    if (Show) {
        回调模块::OldWindowProc = calls_.replaceWindowProc(OwnerWindow, 回调模块::TrayWindowProc);
        AddToTray(OwnerWindow, IconId, TrayTip(), TrayIcon());
        Hooked = true;
    } else if (Hooked) {
        RemoveFromTray(OwnerWindow, IconId);
        calls_.replaceWindowProc(OwnerWindow, 回调模块::OldWindowProc);
        Hooked = false;
    }
    TrayState = Show;
}

void 系统栏::初始化(WindowHandle hwnd, const std::shared_ptr<Picture>& Icon,
                    const std::u16string& Tip) {
    Ready = true;
    TrayState = false;
    Hooked = false;
    IconId = 0;
    OwnerWindow = hwnd;
    InTray(false);
    TrayTip(Tip);
    TrayIcon(Icon);
    回调模块::TrayOwner = shared_from_this();
}

void 系统栏::AddToTray(WindowHandle window, std::int32_t id, const std::u16string& tip,
                       const std::shared_ptr<Picture>& picture) {
    NotifyIconData record = recordFor(window, id);
    if (picture) {
        record.hIcon = picture->handle();
        record.uFlags |= kNifIcon;
        IconPicture = picture;
    }
    if (!tip.empty()) {
        record.szTip = trayTipBytes(tip);
        record.uFlags |= kNifTip;
        TipText = tip;
    }
    record.uCallbackMessage = kTrayMessage;
    record.uFlags |= kNifMessage;
    calls_.shellNotifyIcon(kNimAdd, record);
}

void 系统栏::RemoveFromTray(WindowHandle window, std::int32_t id) {
    calls_.shellNotifyIcon(kNimDelete, recordFor(window, id));
}

void 系统栏::OnTrayMessage(std::int32_t notification, std::int32_t id) {
    if (!Ready || listener_ == nullptr) return;
    if (notification == kLeftButtonUp) listener_->MouseUp(kLeftButton, id);
    if (notification == kRightButtonUp) listener_->MouseUp(kRightButton, id);
}

void 系统栏::Class_Terminate() {
    try {
        if (InTray()) InTray(false);
    } catch (...) {
        // An instance that ends must not end the program; the icon is the
        // system's to clean up then.
    }
}

} // namespace tolvane
