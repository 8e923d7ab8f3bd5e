#include "app/gui/handlers.h"

#include "platform/error.h"
#include "platform/utf8.h"

namespace tolvane::gui {

namespace {

void showAndQuit(Desktop& desktop, const std::u16string& description) {
    desktop.messageBox(kAppName, description, MessageIcon::Stop, MessageButtons::Ok);
    quitAfterError();
}

} // namespace

void runHandler(Desktop& desktop, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const Error& error) {
        showAndQuit(desktop, error.description());
    } catch (const std::exception& error) {
        showAndQuit(desktop, fromUtf8(error.what()));
    }
}

std::function<void()> forward(Desktop& desktop, 主窗体& window, void (主窗体::*handler)()) {
    return [&desktop, &window, handler] {
        runHandler(desktop, [&window, handler] { (window.*handler)(); });
    };
}

void chooseMenuItem(主窗体& window, MenuCommand command, int index) {
    switch (command) {
    case MenuCommand::About:
        window.关于_Click();
        break;
    case MenuCommand::Restore:
        window.恢复_Click();
        break;
    case MenuCommand::Mode:
        window.转换方式_Click(index);
        break;
    case MenuCommand::Close:
        window.关闭_Click();
        break;
    case MenuCommand::Separator:
        break;
    }
}

std::function<int(const DropData&)> forwardDrop(Desktop& desktop, 主窗体& window,
                                                int (主窗体::*handler)(const DropData&)) {
    return [&desktop, &window, handler](const DropData& data) {
        int effect = 0;
        runHandler(desktop, [&] { effect = (window.*handler)(data); });
        return effect;
    };
}

} // namespace tolvane::gui
