#include "app/gui/wiring.h"

#include "frontend/qt/outside_quit.h"

#include <QCoreApplication>

namespace tolvane::gui {

void quitAfterError() {
    QCoreApplication::exit(1);
}

void connectHandlers(qt::Form& form, 主窗体& window, Desktop& desktop) {
    const auto run = [&desktop, &window](void (主窗体::*handler)()) {
        return forward(desktop, window, handler);
    };
    const auto runDrop = [&desktop, &window](int (主窗体::*handler)(const DropData&)) {
        return forwardDrop(desktop, window, handler);
    };

    form.widget().onStateChange = run(&主窗体::Form_Resize);
    form.widget().onUnload = [&desktop, &window] {
        runHandler(desktop, [&window] { window.Form_Unload(); });
        QCoreApplication::quit();
    };
    qt::unloadOnQuit(form.widget());
    form.button(u"开始转换").onClick = run(&主窗体::开始转换_Click);
    form.button(u"选择源文件").onClick = run(&主窗体::选择源文件_Click);
    form.button(u"删除").onClick = run(&主窗体::删除_Click);
    form.button(u"清除").onClick = run(&主窗体::清除_Click);
    form.combo(u"类型").onClick = run(&主窗体::类型_Click);
    form.combo(u"依据").onClick = run(&主窗体::依据_Click);
    form.clipboardView(u"剪贴板").onDoubleClick = run(&主窗体::剪贴板_DblClick);
    form.fileList(u"源文件").onDragOver = runDrop(&主窗体::源文件_OLEDragOver);
    form.fileList(u"源文件").onDrop = runDrop(&主窗体::源文件_OLEDragDrop);

    connectMenu(form.menu(), window, desktop);
}

} // namespace tolvane::gui
