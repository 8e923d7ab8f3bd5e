#include "app/gui/win32_wiring.h"

#include "platform/error.h"
#include "platform/utf8.h"

#include <map>

namespace tolvane::gui {

namespace {

void showAndQuit(Desktop& desktop, const std::u16string& description) {
    desktop.messageBox(kAppName, description, MessageIcon::Stop, MessageButtons::Ok);
    ::PostQuitMessage(1);
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

主窗体控件 controlsOf(win32::Form& form) {
    return {form.window(),
            form.combo(u"依据"),
            form.combo(u"类型"),
            form.button(u"选择源文件"),
            form.button(u"删除"),
            form.button(u"清除"),
            form.button(u"开始转换"),
            form.list(u"源文件"),
            form.textBox(u"剪贴板"),
            form.menu()};
}

void connectHandlers(win32::Form& form, 主窗体& window, Desktop& desktop) {
    const auto forward = [&desktop, &window](void (主窗体::*handler)()) {
        return [&desktop, &window, handler] {
            runHandler(desktop, [&window, handler] { (window.*handler)(); });
        };
    };
    const auto forwardDrop = [&desktop, &window](int (主窗体::*handler)(const DropData&)) {
        return [&desktop, &window, handler](const DropData& data) {
            int effect = 0;
            runHandler(desktop, [&] { effect = (window.*handler)(data); });
            return effect;
        };
    };

    const std::map<std::u16string, std::function<void()>> clicks = {
        {u"开始转换", forward(&主窗体::开始转换_Click)},
        {u"选择源文件", forward(&主窗体::选择源文件_Click)},
        {u"删除", forward(&主窗体::删除_Click)},
        {u"清除", forward(&主窗体::清除_Click)},
        {u"类型", forward(&主窗体::类型_Click)},
        {u"依据", forward(&主窗体::依据_Click)},
    };
    form.onClick = [clicks](const std::u16string& name) {
        const auto found = clicks.find(name);
        if (found != clicks.end()) found->second();
    };
    form.onStateChange = forward(&主窗体::Form_Resize);
    form.onUnload = forward(&主窗体::Form_Unload);
    form.onDestroyed = [] { ::PostQuitMessage(0); };
    form.onDoubleClick = forward(&主窗体::剪贴板_DblClick);
    form.dropHandlers.dragOver = forwardDrop(&主窗体::源文件_OLEDragOver);
    form.dropHandlers.drop = forwardDrop(&主窗体::源文件_OLEDragDrop);

    win32::PopupMenuControl& menu = form.menu();
    menu.onAbout = forward(&主窗体::关于_Click);
    menu.onRestore = forward(&主窗体::恢复_Click);
    menu.onClose = forward(&主窗体::关闭_Click);
    menu.onMode = [&desktop, &window](int index) {
        runHandler(desktop, [&window, index] { window.转换方式_Click(index); });
    };
}

} // namespace tolvane::gui
