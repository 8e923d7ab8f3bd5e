// Start-up, shut-down and the window's trip to the tray and back.

#include "engine/state.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/utf8.h"
#include "support/ini.h"
#include "support/number_text.h"
#include "support/places.h"
#include "tolvane_version.h"
#include "window/job_runner.h"
#include "window/main_window.h"
#include "window/setting_text.h"

#include <utility>

namespace tolvane {

namespace {

constexpr const char16_t* kPlaceSection = u"窗体位置";
constexpr const char16_t* kPersonalSection = u"个人设置";

// Product name, a blank, major.minor and " 版", from the program's version.
constexpr const char16_t* kNormalTitle = u"Tolvane " TOLVANE_VERSION " 版";

} // namespace

主窗体::主窗体(主窗体控件 控件, Desktop& 桌面, 文件位置 位置)
    : 控件_(控件), 桌面_(桌面), 设置文件夹_(std::move(位置.设置文件夹)),
      对照表路径_(std::move(位置.对照表文件夹)), 启动器_(std::make_unique<作业启动器>(桌面)) {}

// Reached without Form_Unload only when a front-end gives up on the window:
// then too no job and no tray icon may outlive it.
主窗体::~主窗体() {
    取消标志 = true;
    启动器_->关闭();
    释放系统栏();
    setEventPump({});
}

void 主窗体::Form_Load() {
    setEventPump([this] { 桌面_.processEvents(); });
    正常标题_ = kNormalTitle;
    忙碌图标_ = 桌面_.busyIcon();
    正常图标_ = 桌面_.idleIcon();
    控件_.类型.setSelectedIndex(0);
    类型_Click();
    Tray_ = std::make_shared<系统栏>(桌面_.trayCalls());
    Tray_->setListener(this);
    Tray_->初始化(控件_.开始转换.handle(), 正常图标_, kAppName);
    恢复窗体位置();
    读出个人设置();
    取消标志 = false;
    列出对照表();
    等待吧(false);
    显示状态(u"");
    if (!Tray_->InTray()) 控件_.窗体.show();
}

void 主窗体::恢复窗体位置() {
    设置INI文件(kAppName, kPlaceSection, 设置文件夹_);
    Window& 窗体 = 控件_.窗体;
    const auto 屏宽 = static_cast<float>(桌面_.screenWidth());
    const auto 屏高 = static_cast<float>(桌面_.screenHeight());
    const float 居中X = (屏宽 - static_cast<float>(窗体.width())) / 2;
    const float 居中Y = (屏高 - static_cast<float>(窗体.height())) / 2;
    const float X = 范围内数值(INI属性读出(u"X"), -屏宽, 屏宽, 居中X);
    const float Y = 范围内数值(INI属性读出(u"Y"), -屏高, 屏高, 居中Y);
    窗体.move(取整(X), 取整(Y));
    const std::int32_t 状态 = 取整(范围内数值(INI属性读出(u"状态"), 0, 1, 0));
    窗体.setState(状态 == 1 ? WindowState::Minimized : WindowState::Normal);
    Form_Resize();
}

void 主窗体::读出个人设置() {
    设置INI文件(kAppName, kPersonalSection, 设置文件夹_);
    使用多线程 = 整体数值(INI属性读出(u"使用多线程", u"1")) == 1.0;
    使用词组_ = 整体数值(INI属性读出(u"使用词组", u"1")) == 1.0;
    // Not a name of an encoding: each file keeps its own.
    输出编码_ = encodingNamed(toUtf8(INI属性读出(u"输出编码"))).value_or(Encoding::Auto);
    提示使用拖放操作_ = 取整(开头数值(INI属性读出(u"提示使用拖放操作", u"-1")));
}

void 主窗体::列出对照表() {
    PopupMenu& 菜单 = 控件_.弹出菜单;
    const std::vector<TableFile> 文件 = listTables(对照表路径_);
    for (std::size_t k = 0; k < 文件.size(); ++k) {
        const std::u16string& f = 文件[k].name;
        const int 序号 = static_cast<int>(k);
        控件_.依据.addItem(f);
        if (k == 0) {
            菜单.setModeItemEnabled(0, true);
        } else {
            菜单.addModeItem();
        }
        const std::u16string 表名 = f.substr(0, f.size() >= 4 ? f.size() - 4 : 0);
        菜单.setModeItemCaption(序号, u"剪贴板“" + 表名 + u"”");
    }
}

void 主窗体::Form_Unload() {
    try {
        保存设置();
    } catch (const Error& 错误) {
        // The window closes all the same; the user learns what was not saved.
        桌面_.messageBox(kAppName, 错误.description(), MessageIcon::Stop, MessageButtons::Ok);
    }
    取消标志 = true;
    启动器_->关闭();
    释放系统栏();
}

void 主窗体::保存设置() {
    Window& 窗体 = 控件_.窗体;
    设置INI文件(kAppName, kPlaceSection, 设置文件夹_);
    INI属性写入(u"状态", 十进制(static_cast<int>(窗体.state())));
    const TwipsRect 常规位置 = 窗体.normalRect();
    INI属性写入(u"X", 十进制(常规位置.left));
    INI属性写入(u"Y", 十进制(常规位置.top));
    设置INI文件(kAppName, kPersonalSection, 设置文件夹_);
    INI属性写入(u"使用多线程", 使用多线程 ? u"1" : u"0");
    INI属性写入(u"使用词组", 使用词组_ ? u"1" : u"0");
    INI属性写入(u"输出编码", 输出编码_ == Encoding::Auto ? u"" : fromUtf8(optionName(输出编码_)));
    INI属性写入(u"提示使用拖放操作", 十进制(提示使用拖放操作_));
}

// The icon leaves the tray now rather than at program end, so that it never
// outlives the window, whatever the shut-down went through.
void 主窗体::释放系统栏() {
    if (!Tray_) return;
    Tray_->InTray(false);
    Tray_->setListener(nullptr);
    if (回调模块::TrayOwner == Tray_) 回调模块::释放TrayOwner();
    Tray_.reset();
}

void 主窗体::Form_Resize() {
    if (!Tray_) return;
    Window& 窗体 = 控件_.窗体;
    if (窗体.state() == WindowState::Minimized) {
        // Without a notification area a hidden window could never come back.
        if (!桌面_.hasTray() || Tray_->InTray()) return;
        Tray_->InTray(true);
        窗体.hide();
    } else if (Tray_->InTray()) {
        Tray_->InTray(false);
        窗体.show();
    }
}

} // namespace tolvane
