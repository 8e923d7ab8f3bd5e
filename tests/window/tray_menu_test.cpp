// The tray icon's clicks, the popup menu and About.

#include "window_rig.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

// The shell's mouse notifications.
constexpr std::int32_t kLeftUp = 0x202;
constexpr std::int32_t kRightUp = 0x205;

void minimise(WindowRig& rig) {
    rig.form.setState(WindowState::Minimized);
    rig.window().Form_Resize();
}

TEST(托盘, 左键单击和恢复都恢复窗体并去掉图标) {
    for (const bool byMenu : {false, true}) {
        WindowRig rig;
        rig.load();
        minimise(rig);
        if (byMenu)
            rig.window().恢复_Click();
        else
            rig.desktop.fakeTray().mouse(kLeftUp);
        EXPECT_EQ(rig.form.state(), WindowState::Normal) << byMenu;
        EXPECT_TRUE(rig.form.visible()) << byMenu;
        EXPECT_FALSE(rig.desktop.fakeTray().iconShown()) << byMenu;
        EXPECT_FALSE(rig.menu.shown()) << byMenu;
    }
}

TEST(托盘, 右键单击弹出菜单) {
    WindowRig rig;
    rig.load();
    minimise(rig);
    rig.desktop.fakeTray().mouse(kRightUp);
    EXPECT_TRUE(rig.menu.shown());
    EXPECT_EQ(rig.form.state(), WindowState::Minimized);
    EXPECT_TRUE(rig.desktop.fakeTray().iconShown());
}

TEST(托盘, 窗体未最小化时左键单击什么也不做) {
    WindowRig rig;
    rig.load();
    rig.form.setState(WindowState::Maximized);
    rig.window().Tray_MouseUp(1, 0);
    EXPECT_EQ(rig.form.state(), WindowState::Maximized);
}

TEST(托盘, 忙碌时托盘图标跟着变) {
    WindowRig rig;
    rig.writeTable(u"a.txt", {u"a b"});
    rig.load();
    minimise(rig);
    std::uintptr_t busyIcon = 0;
    rig.desktop.onProcessEvents([&] { busyIcon = rig.desktop.fakeTray().shownIcon(); });
    rig.pickTable(0);
    EXPECT_EQ(busyIcon, rig.desktop.busyIcon()->handle());
    EXPECT_EQ(rig.desktop.fakeTray().shownIcon(), rig.desktop.idleIcon()->handle());
}

TEST(关于, 显示程序名和版本) {
    WindowRig rig;
    rig.load();
    rig.window().关于_Click();
    ASSERT_EQ(rig.desktop.messages().size(), 1U);
    EXPECT_EQ(rig.desktop.messages()[0].title, u"Tolvane");
    EXPECT_NE(rig.desktop.messages()[0].text.find(u"Tolvane 0.95 版"), std::u16string::npos);
}

} // namespace
} // namespace tolvane
