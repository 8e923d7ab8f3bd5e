// The busy state, the status display, the clipboard capture and the Start
// button, with what the job asks of the window.

#include "engine/job.h"
#include "engine/state.h"
#include "platform/error.h"
#include "window/job_runner.h"
#include "window/layout.h"
#include "window/main_window.h"
#include "window/setting_text.h"

#include <utility>

namespace tolvane {

namespace {

constexpr const char16_t* kIdleCaption = u"4"; // the play symbol in the button's font
constexpr const char16_t* kBusyCaption = u"<"; // the stop symbol

// What the text box shows of a text: at most its first kClipboardPreviewUnits
// code units, and nothing from a NUL on, as a zero-padded buffer of that size reads.
std::u16string previewOf(const std::u16string& text) {
    const std::u16string head = text.substr(0, kClipboardPreviewUnits);
    return head.substr(0, head.find(u'\0'));
}

} // namespace

void 主窗体::开始转换_Click() {
    if (忙碌中()) {
        取消标志 = true;
        return;
    }
    开始作业(对照表_);
}

void 主窗体::开始作业(TablePtr 表) {
    取消标志 = false;
    等待吧(true);
    int 错误码 = 0;
    if (!启动器_->启动(*this, std::move(表), 输出编码_, 错误码)) {
        桌面_.messageBox(kAppName, u"创建新线程失败！错误码：" + 十进制(错误码), MessageIcon::None,
                         MessageButtons::Ok);
        等待吧(false);
    }
}

bool 主窗体::忙碌中() const {
    return 控件_.开始转换.caption() != kIdleCaption;
}

void 主窗体::等待吧(bool 忙) {
    const bool 可用 = !忙;
    控件_.源文件.setEnabled(可用);
    if (转换类型 != kConvertClipboard) {
        控件_.选择源文件.setEnabled(可用);
        控件_.删除.setEnabled(可用);
        控件_.清除.setEnabled(可用);
    }
    控件_.类型.setEnabled(可用);
    控件_.依据.setEnabled(可用);
    const std::shared_ptr<Picture>& 图标 = 忙 ? 忙碌图标_ : 正常图标_;
    控件_.窗体.setIcon(图标);
    if (Tray_) Tray_->TrayIcon(图标);
    控件_.开始转换.setCaption(忙 ? kBusyCaption : kIdleCaption);
}

void 主窗体::显示状态(const std::u16string& 状态) {
    const std::u16string& 标题 = 状态.empty() ? 正常标题_ : 状态;
    控件_.窗体.setCaption(标题);
    if (Tray_) Tray_->TrayTip(标题);
    if (状态.empty()) 等待吧(false);
    if (!使用多线程) 桌面_.processEvents();
}

void 主窗体::刷新() {
    if (转换类型 != kConvertClipboard) {
        控件_.剪贴板.setText(u"");
        剪贴板内容_.clear();
        return;
    }
    清除_Click();
    try {
        Clipboard& 剪贴板 = 桌面_.clipboard();
        if (!剪贴板.hasText()) return;
        剪贴板内容_ = 剪贴板.text();
        控件_.剪贴板.setText(previewOf(剪贴板内容_));
    } catch (const Error&) {
        // A clipboard that cannot be opened counts as one without text.
    }
}

int 主窗体::源文件数() {
    return 控件_.源文件.count();
}

std::u16string 主窗体::源文件项(int 序号) {
    return 控件_.源文件.itemText(序号);
}

void 主窗体::设置源文件项(int 序号, const std::u16string& 文本) {
    控件_.源文件.setItemText(序号, 文本);
}

MessageAnswer 主窗体::消息框(const std::u16string& 文本, MessageIcon 图标, MessageButtons 按钮) {
    return 桌面_.messageBox(kAppName, 文本, 图标, 按钮);
}

std::u16string 主窗体::剪贴板内容() {
    return 剪贴板内容_;
}

void 主窗体::放入剪贴板(const std::u16string& 文本) {
    Clipboard& 剪贴板 = 桌面_.clipboard();
    剪贴板.clear();
    剪贴板.setText(文本);
}

} // namespace tolvane
