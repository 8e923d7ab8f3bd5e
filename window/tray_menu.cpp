// The tray icon's clicks and its popup menu.

#include "engine/state.h"
#include "window/main_window.h"

#include <utility>

namespace tolvane {

namespace {

constexpr std::int32_t kLeftButton = 1;

// The tray's own table load shows its progress in the caption, but the
// window's 依据 keeps its choice, also when the load is cancelled.
class TrayTableLoad : public TableLoadWindow {
  public:
    explicit TrayTableLoad(Window& window) : window_(window) {}
    void setCaption(const std::u16string& text) override { window_.setCaption(text); }
    void clearSelection() override {}

  private:
    Window& window_;
};

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
    // Switching the mode under a running job would empty its list half-way.
    if (忙碌中()) return;
    if (控件_.类型.selectedIndex() == kConvertClipboard) {
        刷新();
    } else {
        控件_.类型.setSelectedIndex(kConvertClipboard);
        类型_Click();
    }
    // The clipboard is converted with the table the item names; the window
    // keeps its own table and its choice in 依据.
    if (控件_.依据.selectedIndex() == Index && 对照表_) {
        开始作业(对照表_);
        return;
    }
    等待吧(true);
    TrayTableLoad 显示(控件_.窗体);
    LoadedTable 载入 = 读取对照表(控件_.依据.itemText(Index), 显示);
    等待吧(false);
    // A table that cannot be read is the job's to report; a cancel ends here.
    if (载入.outcome != LoadOutcome::Cancelled) 开始作业(std::move(载入.table));
}

void 主窗体::关于_Click() {
    桌面_.messageBox(kAppName, aboutText(正常标题_), MessageIcon::None, MessageButtons::Ok);
}

void 主窗体::关闭_Click() {
    控件_.窗体.close();
}

} // namespace tolvane
