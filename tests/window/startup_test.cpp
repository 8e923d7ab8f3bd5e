// Start-up, shut-down, the settings file, the trip to the tray, the tray
// icon's clicks, its menu and About.

#include "engine/job.h"
#include "engine/state.h"
#include "support/tray.h"
#include "tolvane_version.h"
#include "window_rig.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

bool centred(const WindowRig& rig) {
    return std::abs(2 * rig.form.left() + rig.form.width() - fakes::FakeDesktop::kScreenWidth) <=
               1 &&
           std::abs(2 * rig.form.top() + rig.form.height() - fakes::FakeDesktop::kScreenHeight) <=
               1;
}

TEST(启动, 没有设置或位置超出范围时居中而总是空闲地开始) {
    for (const bool outOfRange : {false, true}) {
        WindowRig rig;
        if (outOfRange) {
            rig.writeSetting(u"窗体位置", u"X", u"-20000");
            rig.writeSetting(u"窗体位置", u"Y", u"abc");
        }
        rig.load();
        EXPECT_TRUE(centred(rig));
        EXPECT_EQ(rig.form.state(), WindowState::Normal);
        EXPECT_TRUE(rig.form.visible());
        EXPECT_TRUE(使用多线程);
        EXPECT_EQ(rig.form.caption(), u"Tolvane " TOLVANE_VERSION " 版");
        EXPECT_EQ(rig.form.icon(), rig.desktop.idleIcon());
        EXPECT_EQ(rig.start.caption(), u"4");
        EXPECT_EQ(rig.type.selectedIndex(), 0);
        EXPECT_EQ(转换类型, 0);
        EXPECT_TRUE(rig.list.visible() && !rig.clip.visible());
        EXPECT_EQ(rig.basis.selectedIndex(), -1);
        EXPECT_FALSE(对照表正常);
        EXPECT_FALSE(rig.desktop.fakeTray().iconShown());
    }
}

// Each setting as read at start-up shows in what shut-down writes back.
struct SettingCase {
    const char16_t* section;
    const char16_t* key;
    const char16_t* value;
    const char16_t* savedBack;
};

constexpr SettingCase kSettings[] = {
    {u"个人设置", u"使用多线程", u"1.0", u"1"}, {u"个人设置", u"使用多线程", u"1", u"1"},
    {u"个人设置", u"使用多线程", u"2", u"0"},   {u"个人设置", u"使用多线程", u"0", u"0"},
    {u"个人设置", u"使用多线程", u"是", u"0"},  {u"个人设置", u"提示使用拖放操作", u"5abc", u"5"},
    {u"窗体位置", u"X", u"-300", u"-300"},      {u"窗体位置", u"状态", u"2", u"0"},
};

TEST(启动, 读入的设置在关闭时写回) {
    for (const SettingCase& c : kSettings) {
        SCOPED_TRACE(::testing::Message() << (&c - kSettings));
        WindowRig rig;
        rig.writeSetting(c.section, c.key, c.value);
        rig.load();
        rig.unload();
        EXPECT_EQ(使用多线程, rig.setting(u"个人设置", u"使用多线程") == u"1");
        EXPECT_EQ(rig.setting(c.section, c.key), c.savedBack);
    }
}

// Closing from the tray menu: the minimised state is kept for the next start.
TEST(启动, 在系统栏里关闭后下次启动进系统栏) {
    WindowRig second;
    {
        WindowRig first;
        first.load();
        first.form.move(600, 900);
        first.minimise();
        first.window().关闭_Click();
        EXPECT_TRUE(first.form.closed());
        EXPECT_TRUE(取消标志);
        EXPECT_FALSE(first.desktop.fakeTray().iconShown());
        EXPECT_EQ(回调模块::TrayOwner, nullptr);
        second.copySettingsFrom(first);
    }
    second.load();
    EXPECT_EQ(second.form.state(), WindowState::Minimized);
    EXPECT_FALSE(second.form.visible());
    EXPECT_TRUE(second.desktop.fakeTray().iconShown());
    EXPECT_EQ(second.desktop.fakeTray().shownTip(), u"Tolvane " TOLVANE_VERSION " 版");
    EXPECT_EQ(second.form.left(), 600);
    EXPECT_EQ(second.form.top(), 900);
}

TEST(对照表列表, 对照表按列出顺序进组合框和菜单) {
    WindowRig none;
    none.load();
    ASSERT_EQ(none.menu.modeItemCount(), 1);
    EXPECT_FALSE(none.menu.modeItemEnabled(0));

    WindowRig rig;
    for (const char16_t* name : {u"简繁.txt", u"繁简.txt", u"c.txt"})
        rig.writeTable(name, {});
    rig.writeTable(u"说明.doc", {});
    rig.load();
    ASSERT_EQ(rig.basis.count(), 3);
    ASSERT_EQ(rig.menu.modeItemCount(), 3);
    for (int k = 0; k < 3; ++k) {
        const std::u16string name = rig.basis.itemText(k);
        EXPECT_TRUE(rig.menu.modeItemEnabled(k));
        EXPECT_EQ(rig.menu.modeItemCaption(k), u"剪贴板“" + name.substr(0, name.size() - 4) + u"”");
    }
}

// Minimised, the window hides behind a tray icon; without a notification
// area it stays visible, also when it starts minimised.
TEST(系统栏, 最小化进系统栏恢复后回来) {
    for (const bool hasTray : {true, false}) {
        WindowRig rig;
        if (!hasTray) rig.desktop.withoutTray();
        rig.writeSetting(u"窗体位置", u"状态", u"1");
        rig.load();
        EXPECT_EQ(rig.form.state(), WindowState::Minimized);
        EXPECT_EQ(rig.form.visible(), !hasTray);
        EXPECT_EQ(rig.desktop.fakeTray().iconShown(), hasTray);
        rig.form.setState(WindowState::Normal);
        rig.window().Form_Resize();
        EXPECT_TRUE(rig.form.visible());
        EXPECT_FALSE(rig.desktop.fakeTray().iconShown());
        rig.minimise();
        EXPECT_EQ(rig.form.visible(), !hasTray);
    }
}

TEST(关闭, 设置写不进时报告并照样结束) {
    WindowRig rig;
    rig.load();
    rig.minimise();
    // A folder in the settings file's place: no file can be written there.
    std::filesystem::create_directory(std::filesystem::path(rig.path(u"Tolvane.ini")));
    rig.unload();
    ASSERT_EQ(rig.desktop.messages().size(), 1U);
    EXPECT_EQ(rig.desktop.messages()[0].title, u"Tolvane");
    EXPECT_EQ(rig.desktop.messages()[0].text, u"INI模块.INI属性写入.写入INI文件");
    EXPECT_TRUE(取消标志);
    EXPECT_FALSE(rig.desktop.fakeTray().iconShown());
    EXPECT_EQ(回调模块::TrayOwner, nullptr);
}

// The shell's mouse notifications.
constexpr std::int32_t kLeftUp = 0x202;
constexpr std::int32_t kRightUp = 0x205;

TEST(托盘, 右键弹出菜单忙碌时图标跟着变而左键单击恢复窗体) {
    WindowRig rig;
    rig.writeTable(u"a.txt", {u"a b"});
    rig.load();
    rig.form.setState(WindowState::Maximized);
    rig.window().Tray_MouseUp(1, 0); // not minimised: nothing to restore
    EXPECT_EQ(rig.form.state(), WindowState::Maximized);
    rig.minimise();
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
    rig.minimise();
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
