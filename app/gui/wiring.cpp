#include "app/gui/wiring.h"

#include "frontend/qt/outside_quit.h"
#include "platform/error.h"
#include "platform/utf8.h"

#include <QCoreApplication>

namespace tolvane::gui {

namespace {

void showAndQuit(Desktop& desktop, const std::u16string& description) {
    desktop.messageBox(kAppName, description, MessageIcon::Stop, MessageButtons::Ok);
    QCoreApplication::exit(1);
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

主窗体控件 controlsOf(qt::Form& form) {
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

void connectHandlers(qt::Form& form, 主窗体& window, Desktop& desktop) {
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

    form.widget().onStateChange = forward(&主窗体::Form_Resize);
    form.widget().onUnload = [&desktop, &window] {
        runHandler(desktop, [&window] { window.Form_Unload(); });
        QCoreApplication::quit();
    };
    qt::unloadOnQuit(form.widget());
    form.button(u"开始转换").onClick = forward(&主窗体::开始转换_Click);
    form.button(u"选择源文件").onClick = forward(&主窗体::选择源文件_Click);
    form.button(u"删除").onClick = forward(&主窗体::删除_Click);
    form.button(u"清除").onClick = forward(&主窗体::清除_Click);
    form.combo(u"类型").onClick = forward(&主窗体::类型_Click);
    form.combo(u"依据").onClick = forward(&主窗体::依据_Click);
    form.clipboardView(u"剪贴板").onDoubleClick = forward(&主窗体::剪贴板_DblClick);
    form.fileList(u"源文件").onDragOver = forwardDrop(&主窗体::源文件_OLEDragOver);
    form.fileList(u"源文件").onDrop = forwardDrop(&主窗体::源文件_OLEDragDrop);

    qt::MenuAdapter& menu = form.menu();
    menu.onAbout = forward(&主窗体::关于_Click);
    menu.onRestore = forward(&主窗体::恢复_Click);
    menu.onClose = forward(&主窗体::关闭_Click);
    menu.onMode = [&desktop, &window](int index) {
        runHandler(desktop, [&window, index] { window.转换方式_Click(index); });
    };
}

} // namespace tolvane::gui
