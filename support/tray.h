#pragma once
// The tray icon: one icon with a tip in the notification area, shown and
// hidden on request, whose mouse notifications become events. While the icon
// is shown, the owner window's procedure is replaced by 回调模块::TrayWindowProc,
// which hands the tray message to the instance in 回调模块::TrayOwner.

#include "platform/picture.h"
#include "platform/tray.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tolvane {

// Receives the icon's mouse event: the release of a button, the one the
// window acts on. Button: 1 left, 2 right. Id: the icon's identifier.
class 系统栏事件 {
  public:
    virtual ~系统栏事件() = default;
    virtual void MouseUp(std::int32_t Button, std::int32_t Id) = 0;
};

// Create with std::make_shared: 初始化 makes 回调模块 keep a second reference.
// Everything here belongs to the window's thread: the job's status and busy
// icon reach the tray through the window's thread too.
class 系统栏 : public std::enable_shared_from_this<系统栏> {
  public:
    explicit 系统栏(TrayCalls& calls);
    ~系统栏();
    系统栏(const 系统栏&) = delete;
    系统栏& operator=(const 系统栏&) = delete;

    // The receiver of the events; null for none. It must outlive its setting.
    void setListener(系统栏事件* listener);

    // Only icons (type 3) are taken; other pictures and null are ignored.
    void TrayIcon(const std::shared_ptr<Picture>& Icon);
    // The stored icon, or a new empty picture when none was stored.
    std::shared_ptr<Picture> TrayIcon();
    void TrayTip(const std::u16string& Tip);
    std::u16string TrayTip() const;
    void InTray(bool Show);
    bool InTray() const;

    // Before this, setters and OnTrayMessage do nothing.
    void 初始化(WindowHandle hwnd, const std::shared_ptr<Picture>& Icon, const std::u16string& Tip);

    // For 回调模块: turns a button's release into MouseUp; other
    // notifications raise nothing.
    void OnTrayMessage(std::int32_t notification, std::int32_t id);

    TrayCalls& calls() const { return calls_; }

  private:
    void AddToTray(WindowHandle window, std::int32_t id, const std::u16string& tip,
                   const std::shared_ptr<Picture>& picture);
    void RemoveFromTray(WindowHandle window, std::int32_t id);
    void Class_Terminate();

    TrayCalls& calls_;
    系统栏事件* listener_ = nullptr;
    bool Ready = false;
    bool TrayState = false;
    std::int32_t IconId = 0;
    std::u16string TipText;
    WindowHandle OwnerWindow = 0;
    std::shared_ptr<Picture> IconPicture;
    bool Hooked = false;
};

namespace 回调模块 {

// The owner window's procedure before TrayWindowProc replaced it.
extern WindowProc OldWindowProc;
// The instance receiving the tray message; keeps it alive until released.
extern std::shared_ptr<系统栏> TrayOwner;

// Hands the tray message to TrayOwner and passes every message on to
// OldWindowProc; an error on the way is dropped and gives 0.
std::intptr_t TrayWindowProc(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam);

// At program end: drops TrayOwner, so that the icon leaves the tray if no one
// else holds the instance.
void 释放TrayOwner();

} // namespace 回调模块
} // namespace tolvane
