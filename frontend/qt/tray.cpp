#include "frontend/qt/tray.h"

#include "frontend/qt/picture.h"
#include "frontend/qt/text.h"
#include "platform/codepage.h"

#include <algorithm>

namespace tolvane::qt {

namespace {

// The procedure a handle has before anyone replaced it: handles nothing.
std::intptr_t ignoreMessage(WindowHandle /*window*/, std::uint32_t /*message*/,
                            std::uintptr_t /*wParam*/, std::intptr_t /*lParam*/) {
    return 0;
}

QString tipText(const NotifyIconData& data) {
    const auto end = std::find(data.szTip.begin(), data.szTip.end(), std::uint8_t{0});
    const auto length = static_cast<std::size_t>(end - data.szTip.begin());
    return toQString(decodeAnsi(std::span(data.szTip.data(), length)));
}

} // namespace

SystemTrayCalls::SystemTrayCalls() {
    QObject::connect(&icon_, &QSystemTrayIcon::activated,
                     [this](QSystemTrayIcon::ActivationReason reason) { deliver(reason); });
}

void SystemTrayCalls::shellNotifyIcon(std::uint32_t operation, const NotifyIconData& data) {
    if (operation == kNimDelete) {
        icon_.hide();
        return;
    }
    if (data.uFlags & kNifIcon) icon_.setIcon(iconOfHandle(data.hIcon));
    if (data.uFlags & kNifTip) icon_.setToolTip(tipText(data));
    if (operation == kNimAdd) {
        owner_ = data.hWnd;
        iconId_ = data.uID;
        icon_.show();
    }
}

WindowProc SystemTrayCalls::replaceWindowProc(WindowHandle window, WindowProc procedure) {
    const auto [slot, added] = procedures_.try_emplace(window, &ignoreMessage);
    return std::exchange(slot->second, procedure);
}

std::intptr_t SystemTrayCalls::callWindowProc(WindowProc previous, WindowHandle window,
                                              std::uint32_t message, std::uintptr_t wParam,
                                              std::intptr_t lParam) {
    return previous ? previous(window, message, wParam, lParam) : 0;
}

void SystemTrayCalls::deliver(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        sendTrayMessage(kLeftButtonDown);
        sendTrayMessage(kLeftButtonUp);
        break;
    case QSystemTrayIcon::Context:
        sendTrayMessage(kRightButtonDown);
        sendTrayMessage(kRightButtonUp);
        break;
    case QSystemTrayIcon::DoubleClick:
        sendTrayMessage(kLeftDoubleClick);
        break;
    default:
        break;
    }
}

void SystemTrayCalls::sendTrayMessage(std::intptr_t mouseMessage) {
    WindowProc procedure = &ignoreMessage;
    const auto found = procedures_.find(owner_);
    if (found != procedures_.end() && found->second) procedure = found->second;
    procedure(owner_, kTrayMessage, iconId_, mouseMessage);
}

} // namespace tolvane::qt
