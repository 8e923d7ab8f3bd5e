// The tray icon's clicks and its popup menu.

#include "engine/state.h"
#include "window/main_window.h"

namespace tolvane {

namespace {

constexpr std::int32_t kLeftButton = 1;

std::u16string aboutText(const std::u16string& 正常标题) {
    return u"\r\n"
           u"【 " +
           正常标题 +
           u" 】\r\n"
           u"\r\n"
           u"   Tolvane 开发组 · Tolvane 项目\r\n"
           u"   ～～～～～～～～～\r\n"
           u"      本软件为 Tolvane 项目的自由软件\r\n"
           u"    按 Apache-2.0 许可证发布";
}

} // namespace

void 主窗体::MouseUp(std::int32_t Button, std::int32_t Id) {
    Tray_MouseUp(Button, Id);
}

void 主窗体::Tray_MouseUp(std::int32_t Button, std::int32_t /*Id*/) {
    if (Button != kLeftButton) {
        控件_.弹出菜单.popup();
        return;
    }
    Window& 窗体 = 控件_.窗体;
    if (窗体.state() != WindowState::Minimized) return;
    窗体.show();
    窗体.setState(WindowState::Normal);
    Form_Resize();
}

void 主窗体::恢复_Click() {
    Tray_MouseUp(kLeftButton, 0);
}

void 主窗体::转换方式_Click(int Index) {
    // Switching the mode or the table under a running job would empty its
    // list or change its table half-way.
    if (忙碌中()) return;
    if (控件_.类型.selectedIndex() == kConvertClipboard) {
        刷新();
    } else {
        控件_.类型.setSelectedIndex(kConvertClipboard);
        类型_Click();
    }
    if (控件_.依据.selectedIndex() != Index) {
        对照表正常 = false;
        控件_.依据.setSelectedIndex(Index);
        // The load runs to its end, successful, failed or cancelled, inside
        // the handler; waiting for a table that failed would never end, and
        // the job refuses to run without one.
        依据_Click();
        桌面_.processEvents();
    }
    开始转换_Click();
}

void 主窗体::关于_Click() {
    桌面_.messageBox(kAppName, aboutText(正常标题_), MessageIcon::None, MessageButtons::Ok);
}

void 主窗体::关闭_Click() {
    控件_.窗体.close();
}

} // namespace tolvane
