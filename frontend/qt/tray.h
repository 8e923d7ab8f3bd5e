#pragma once
// The tray calls over QSystemTrayIcon. The icon's activations are delivered as
// the tray message through the procedure installed for the owner handle, as
// mouse messages: a click is a press and a release, a double click one message.

#include "platform/tray.h"

#include <QObject>
#include <QSystemTrayIcon>
#include <map>

namespace tolvane::qt {

class SystemTrayCalls : public TrayCalls {
  public:
    SystemTrayCalls();

    void shellNotifyIcon(std::uint32_t operation, const NotifyIconData& data) override;
    WindowProc replaceWindowProc(WindowHandle window, WindowProc procedure) override;
    std::intptr_t callWindowProc(WindowProc previous, WindowHandle window, std::uint32_t message,
                                 std::uintptr_t wParam, std::intptr_t lParam) override;

    QSystemTrayIcon& icon() { return icon_; }
    // What a click on the icon sends, as the tray message's lParam values.
    void deliver(QSystemTrayIcon::ActivationReason reason);

  private:
    void sendTrayMessage(std::intptr_t mouseMessage);

    QSystemTrayIcon icon_;
    WindowHandle owner_ = 0;
    std::uint32_t iconId_ = 0;
    std::map<WindowHandle, WindowProc> procedures_;
};

} // namespace tolvane::qt
