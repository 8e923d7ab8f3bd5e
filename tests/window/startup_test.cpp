// Start-up, shut-down, the settings file, the trip to the tray, the tray
// icon's clicks and its menu.

#include "engine/job.h"
#include "engine/state.h"
#include "support/tray.h"
#include "tolvane_version.h"
#include "window/layout.h"
#include "window_rig.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

const std::u16string kTitle = u"Tolvane " TOLVANE_VERSION " 版"; // NOLINT(cert-err58-cpp)

// Each setting as read at start-up shows in what shut-down writes back:
// 使用多线程 and 使用词组 are on only for a text that is the number 1, 输出编码
// takes an encoding's name or stays empty, the others take the number the text
// starts with, rounded half to even and kept within 32 bits.
constexpr const char16_t* kSettings[][4] = {
    {u"个人设置", u"使用多线程", u"1.0", u"1"},
    {u"个人设置", u"使用多线程", u"1abc", u"0"},
    {u"个人设置", u"提示使用拖放操作", u"5abc", u"5"},
    {u"个人设置", u"使用词组", u"0", u"0"},
    {u"个人设置", u"输出编码", u"UTF-8", u"utf-8"},
    {u"个人设置", u"输出编码", u"latin1", u""},
    {u"个人设置", u"提示使用拖放操作", u"3e9", u"2147483647"},
    {u"窗体位置", u"X", u"-300.5", u"-300"},
    {u"窗体位置", u"状态", u"2", u"0"}};

// Both front-ends place the controls through these: twips to pixels at the
// screen's density, rounded halves away from zero, and the controls in tab order.
TEST(窗体设计, 缇和像素按密度四舍五入互换且控件按Tab顺序) {
    const int cases[][3] = {
        {7, 96, 0}, {8, 96, 1}, {-8, 96, -1}, {4545, 96, 303}, {1440, 120, 120}};
    for (const auto& [twips, dpi, pixels] : cases)
        EXPECT_EQ(pixelsOf(twips, dpi), pixels) << twips << " twips at " << dpi;
    EXPECT_EQ(twipsOf(303), 4545);
    EXPECT_EQ(twipsOf(1, 120), 12);
    const std::vector<const ControlDesign*> order = inTabOrder(主窗体设计());
    EXPECT_EQ(order.size(), 主窗体设计().controls.size());
    EXPECT_TRUE(std::ranges::is_sorted(order, {}, &ControlDesign::tabIndex));
}

TEST(启动, 读入的设置在关闭时写回) {
    for (const auto& row : kSettings) {
        const auto& [section, key, value, savedBack] = row;
        SCOPED_TRACE(::testing::Message() << "row " << &row - kSettings);
        WindowRig rig;
        rig.writeSetting(section, key, value);
        rig.load();
        rig.unload();
        EXPECT_EQ(使用多线程, rig.setting(u"个人设置", u"使用多线程") == u"1");
        EXPECT_EQ(rig.setting(section, key), savedBack);
    }
}

// Closed from the tray menu, the window starts minimised next time, at the
// same place: behind a tray icon, or visible where there is no notification
// area. Restored, it comes back; minimised again, it hides once more.
TEST(系统栏, 在系统栏里关闭后下次启动进系统栏而恢复后回来) {
    WindowRig first;
    first.load();
    first.form.move(600, 900);
    first.minimise();
    first.window().关闭_Click();
    EXPECT_TRUE(first.form.closed && 取消标志 && !first.desktop.tray.shown);
    EXPECT_EQ(回调模块::TrayOwner, nullptr);
    for (const bool hasTray : {true, false}) {
        SCOPED_TRACE(hasTray ? "with a tray" : "without a tray");
        WindowRig rig;
        rig.desktop.hasTray_ = hasTray;
        rig.copySettingsFrom(first);
        rig.load();
        EXPECT_EQ(rig.form.state(), WindowState::Minimized);
        EXPECT_TRUE(rig.form.visible != hasTray && rig.desktop.tray.shown == hasTray);
        EXPECT_EQ(rig.desktop.tray.tip, hasTray ? kTitle : u"");
        EXPECT_TRUE(rig.form.left() == 600 && rig.form.top() == 900);
        rig.form.setState(WindowState::Normal);
        rig.window().Form_Resize();
        EXPECT_TRUE(rig.form.visible && !rig.desktop.tray.shown);
        rig.minimise();
        EXPECT_EQ(rig.form.visible, !hasTray);
    }
}

// The tables are listed alike in 依据 and the tray menu, whose one item is
// disabled when there is none.
TEST(对照表列表, 没有对照表时菜单项不可用) {
    WindowRig none;
    none.load();
    EXPECT_EQ(none.menu.enabled, std::vector<bool>{false});
    WindowRig rig;
    rig.writeTable(u"简繁.txt", {});
    rig.writeTable(u"繁简.txt", {});
    rig.load();
    EXPECT_TRUE(rig.basis.count() == 2 && rig.menu.enabled == std::vector<bool>(2, true));
}

TEST(托盘, 右键弹出菜单忙碌时控件和图标跟着变而左键单击或恢复使窗体回来) {
    WindowRig rig;
    rig.writeTable(u"a.txt", {u"a b"});
    rig.load();
    rig.minimise();
    rig.desktop.tray.mouse(0x205); // right button up
    EXPECT_TRUE(rig.menu.shown);
    EXPECT_EQ(rig.form.state(), WindowState::Minimized);
    // Busy while the table loads: only the Start button (to cancel) is left
    // to the user, and both icons show it.
    bool checked = false;
    rig.desktop.onProcessEvents = [&] {
        checked = true;
        EXPECT_EQ(rig.start.caption(), u"<");
        EXPECT_FALSE(rig.list.enabled() || rig.type.enabled() || rig.basis.enabled());
        EXPECT_FALSE(rig.choose.enabled() || rig.remove.enabled() || rig.clear.enabled());
        EXPECT_EQ(rig.form.icon(), rig.desktop.busyIcon());
        EXPECT_EQ(rig.desktop.tray.icon, rig.desktop.busyIcon()->handle());
    };
    rig.pickTable(0);
    rig.desktop.onProcessEvents = nullptr;
    EXPECT_TRUE(checked && rig.form.caption() == u"读取内码对照表完成！" && !rig.busy());
    EXPECT_TRUE(rig.choose.enabled() && rig.remove.enabled() && rig.clear.enabled());
    EXPECT_EQ(rig.desktop.tray.icon, rig.desktop.idleIcon()->handle());
    for (const bool leftClick : {true, false}) {
        SCOPED_TRACE(leftClick ? "left click" : "恢复");
        rig.minimise();
        leftClick ? rig.desktop.tray.mouse(0x202) : rig.window().恢复_Click();
        EXPECT_EQ(rig.form.state(), WindowState::Normal);
        EXPECT_TRUE(rig.form.visible && !rig.desktop.tray.shown);
    }
}

} // namespace
} // namespace tolvane
