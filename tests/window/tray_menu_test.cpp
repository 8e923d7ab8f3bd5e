// The tray icon's clicks, the popup menu and About.

#include "engine/state.h"
#include "engine/table.h"
#include "window_rig.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

constexpr std::int32_t kLeftUp = 0x202;
constexpr std::int32_t kRightUp = 0x205;

void minimise(WindowRig& rig) {
    rig.form.setState(WindowState::Minimized);
    rig.window().Form_Resize();
}

TEST(托盘, 左键单击恢复窗体并去掉图标) {
    WindowRig rig;
    rig.load();
    minimise(rig);
    rig.desktop.fakeTray().mouse(kLeftUp);
    EXPECT_EQ(rig.form.state(), WindowState::Normal);
    EXPECT_TRUE(rig.form.visible());
    EXPECT_FALSE(rig.desktop.fakeTray().iconShown());
    EXPECT_FALSE(rig.menu.shown());
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

TEST(托盘, 恢复与左键单击一样) {
    WindowRig rig;
    rig.load();
    minimise(rig);
    rig.window().恢复_Click();
    EXPECT_EQ(rig.form.state(), WindowState::Normal);
    EXPECT_TRUE(rig.form.visible());
    EXPECT_FALSE(rig.desktop.fakeTray().iconShown());
}

TEST(托盘, 窗体未最小化时左键单击什么也不做) {
    WindowRig rig;
    rig.load();
    rig.form.setState(WindowState::Maximized);
    rig.window().Tray_MouseUp(1, 0);
    EXPECT_EQ(rig.form.state(), WindowState::Maximized);
}

TEST(托盘, 忙碌时托盘图标和提示跟着变) {
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

TEST(关于, 七行文本) {
    WindowRig rig;
    rig.load();
    rig.window().关于_Click();
    ASSERT_EQ(rig.desktop.messages().size(), 1U);
    const fakes::ShownMessage& about = rig.desktop.messages()[0];
    EXPECT_EQ(about.title, u"Tolvane");
    EXPECT_EQ(about.icon, MessageIcon::None);
    EXPECT_EQ(about.buttons, MessageButtons::Ok);
    std::vector<std::u16string> lines;
    std::size_t from = 0;
    for (std::size_t at = about.text.find(u"\r\n"); at != std::u16string::npos;
         from = at + 2, at = about.text.find(u"\r\n", from))
        lines.push_back(about.text.substr(from, at - from));
    lines.push_back(about.text.substr(from));
    ASSERT_EQ(lines.size(), 7U);
    EXPECT_EQ(lines[0], u"");
    EXPECT_EQ(lines[1], u"【 Tolvane 0.95 版 】");
    EXPECT_EQ(lines[2], u"");
    EXPECT_TRUE(lines[3].starts_with(u"   ") && lines[3].size() > 3);
    EXPECT_EQ(lines[4], u"   ～～～～～～～～～");
    EXPECT_TRUE(lines[5].starts_with(u"      "));
    EXPECT_TRUE(lines[6].starts_with(u"    "));
    EXPECT_EQ(about.text.find(u"@"), std::u16string::npos);
    EXPECT_EQ(about.text.find(u"http"), std::u16string::npos);
}

TEST(关闭, 从托盘关闭保存最小化状态并结束) {
    WindowRig rig;
    rig.load();
    minimise(rig);
    rig.window().关闭_Click();
    EXPECT_TRUE(rig.form.closed());
    EXPECT_EQ(rig.setting(u"窗体位置", u"状态"), u"1");
    EXPECT_TRUE(取消标志);
    EXPECT_FALSE(rig.desktop.fakeTray().iconShown());
}

} // namespace
} // namespace tolvane
