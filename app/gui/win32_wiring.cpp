#include "app/gui/win32_wiring.h"

#include <map>

namespace tolvane::gui {

void quitAfterError() {
    ::PostQuitMessage(1);
}

void connectHandlers(win32::Form& form, 主窗体& window, Desktop& desktop) {
    const auto run = [&desktop, &window](void (主窗体::*handler)()) {
        return forward(desktop, window, handler);
    };
    const auto runDrop = [&desktop, &window](int (主窗体::*handler)(const DropData&)) {
        return forwardDrop(desktop, window, handler);
    };

    const std::map<std::u16string, std::function<void()>> clicks = {
        {u"开始转换", run(&主窗体::开始转换_Click)},
        {u"选择源文件", run(&主窗体::选择源文件_Click)},
        {u"删除", run(&主窗体::删除_Click)},
        {u"清除", run(&主窗体::清除_Click)},
        {u"类型", run(&主窗体::类型_Click)},
        {u"依据", run(&主窗体::依据_Click)},
    };
    form.onClick = [clicks](const std::u16string& name) {
        const auto found = clicks.find(name);
        if (found != clicks.end()) found->second();
    };
    form.onStateChange = run(&主窗体::Form_Resize);
    form.onUnload = run(&主窗体::Form_Unload);
    form.onDestroyed = [] { ::PostQuitMessage(0); };
    form.onDoubleClick = run(&主窗体::剪贴板_DblClick);
    form.dropHandlers.dragOver = runDrop(&主窗体::源文件_OLEDragOver);
    form.dropHandlers.drop = runDrop(&主窗体::源文件_OLEDragDrop);

    connectMenu(form.menu(), window, desktop);
}

} // namespace tolvane::gui
