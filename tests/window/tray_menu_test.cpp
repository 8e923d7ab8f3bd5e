// The tray icon's clicks, the popup menu and About.

#include "tolvane_version.h"
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

TEST(托盘, 右键弹出菜单忙碌时图标跟着变而左键单击恢复窗体) {
    WindowRig rig;
    rig.writeTable(u"a.txt", {u"a b"});
    rig.load();
    rig.form.setState(WindowState::Maximized);
    rig.window().Tray_MouseUp(1, 0); // not minimised: nothing to restore
    EXPECT_EQ(rig.form.state(), WindowState::Maximized);
    minimise(rig);
    rig.desktop.fakeTray().mouse(kRightUp);
    EXPECT_TRUE(rig.menu.shown());
    EXPECT_EQ(rig.form.state(), WindowState::Minimized);
    std::uintptr_t busyIcon = 0;
    rig.desktop.onProcessEvents([&] { busyIcon = rig.desktop.fakeTray().shownIcon(); });
    rig.pickTable(0);
    EXPECT_EQ(busyIcon, rig.desktop.busyIcon()->handle());
    EXPECT_EQ(rig.desktop.fakeTray().shownIcon(), rig.desktop.idleIcon()->handle());
    rig.desktop.fakeTray().mouse(kLeftUp);
    EXPECT_EQ(rig.form.state(), WindowState::Normal);
    EXPECT_TRUE(rig.form.visible());
    EXPECT_FALSE(rig.desktop.fakeTray().iconShown());
}

TEST(托盘, 菜单的恢复和关于) {
    WindowRig rig;
    rig.load();
    minimise(rig);
    rig.window().恢复_Click();
    EXPECT_EQ(rig.form.state(), WindowState::Normal);
    EXPECT_TRUE(rig.form.visible());
    EXPECT_FALSE(rig.desktop.fakeTray().iconShown());
    rig.window().关于_Click();
    ASSERT_EQ(rig.desktop.messages().size(), 1U);
    EXPECT_EQ(rig.desktop.messages()[0].title, u"Tolvane");
    EXPECT_NE(rig.desktop.messages()[0].text.find(u"Tolvane " TOLVANE_VERSION " 版"),
              std::u16string::npos);
}

} // namespace
} // namespace tolvane
