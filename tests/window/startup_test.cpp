// Start-up, shut-down, the settings file and the trip to the tray.

#include "engine/job.h"
#include "engine/state.h"
#include "platform/error.h"
#include "support/tray.h"
#include "window_rig.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

constexpr int kCentredLeft = 5348; // (15360 - 4665) / 2 = 5347.5, halves to even
constexpr int kCentredTop = 3720;  // (11520 - 4080) / 2

void minimise(WindowRig& rig) {
    rig.form.setState(WindowState::Minimized);
    rig.window().Form_Resize();
}

TEST(启动, 没有设置文件时居中常规多线程并提示一次) {
    WindowRig rig;
    rig.load();
    EXPECT_EQ(rig.form.left(), kCentredLeft);
    EXPECT_EQ(rig.form.top(), kCentredTop);
    EXPECT_EQ(rig.form.state(), WindowState::Normal);
    EXPECT_TRUE(rig.form.visible());
    EXPECT_TRUE(使用多线程);
    rig.window().选择源文件_Click();
    ASSERT_EQ(rig.desktop.messages().size(), 1U);
    EXPECT_TRUE(rig.desktop.messages()[0].text.ends_with(u"【本提示只出现一次】"));
}

TEST(启动, 结束时窗体空闲并显示正常标题) {
    WindowRig rig;
    rig.load();
    EXPECT_EQ(rig.form.caption(), u"Tolvane 0.95 版");
    EXPECT_EQ(rig.form.icon(), rig.desktop.idleIcon());
    EXPECT_EQ(rig.start.caption(), u"4");
    EXPECT_EQ(rig.type.selectedIndex(), 0);
    EXPECT_EQ(转换类型, 0);
    EXPECT_TRUE(rig.list.visible());
    EXPECT_FALSE(rig.clip.visible());
    EXPECT_EQ(rig.basis.selectedIndex(), -1);
    EXPECT_FALSE(对照表正常);
    EXPECT_FALSE(取消标志);
    EXPECT_FALSE(rig.desktop.fakeTray().iconShown());
}

TEST(启动, 关闭时按顺序写出设置) {
    WindowRig rig;
    rig.load();
    rig.form.move(300, -450);
    rig.unload();
    const std::u16string ini = rig.iniText();
    const std::vector<std::u16string> inOrder = {
        u"[窗体位置]",         u"状态=0", u"X=300", u"Y=-450", u"[个人设置]", u"使用多线程=1",
        u"提示使用拖放操作=-1"};
    std::size_t at = 0;
    for (const std::u16string& line : inOrder) {
        const std::size_t found = ini.find(line, at);
        ASSERT_NE(found, std::u16string::npos) << "missing or out of order";
        at = found + line.size();
    }
}

TEST(启动, 在系统栏里关闭后下次启动进系统栏) {
    WindowRig second;
    {
        WindowRig first;
        first.load();
        first.form.move(600, 900);
        minimise(first);
        EXPECT_FALSE(first.form.visible());
        EXPECT_TRUE(first.desktop.fakeTray().iconShown());
        first.window().关闭_Click();
        EXPECT_TRUE(first.form.closed());
        EXPECT_EQ(first.setting(u"窗体位置", u"状态"), u"1");
        EXPECT_EQ(first.setting(u"窗体位置", u"X"), u"600");
        EXPECT_FALSE(first.desktop.fakeTray().iconShown());
        EXPECT_EQ(回调模块::TrayOwner, nullptr);
        second.copySettingsFrom(first);
    }
    second.load();
    EXPECT_EQ(second.form.state(), WindowState::Minimized);
    EXPECT_FALSE(second.form.visible());
    EXPECT_TRUE(second.desktop.fakeTray().iconShown());
    EXPECT_EQ(second.desktop.fakeTray().shownTip(), u"Tolvane 0.95 版");
    EXPECT_EQ(second.form.left(), 600);
    EXPECT_EQ(second.form.top(), 900);
}

TEST(启动, 超出范围的位置和状态取默认) {
    WindowRig rig;
    rig.writeSetting(u"窗体位置", u"X", u"-20000");
    rig.writeSetting(u"窗体位置", u"Y", u"abc");
    rig.writeSetting(u"窗体位置", u"状态", u"2");
    rig.load();
    EXPECT_EQ(rig.form.left(), kCentredLeft);
    EXPECT_EQ(rig.form.top(), kCentredTop);
    EXPECT_EQ(rig.form.state(), WindowState::Normal);
}

TEST(启动, 屏幕内的负位置照样恢复) {
    WindowRig rig;
    rig.writeSetting(u"窗体位置", u"X", u"-300");
    rig.load();
    EXPECT_EQ(rig.form.left(), -300);
}

TEST(启动, 使用多线程只在值为一时打开) {
    for (const auto& [value, on] : std::vector<std::pair<std::u16string, bool>>{
             {u"1.0", true}, {u"1", true}, {u"2", false}, {u"0", false}, {u"是", false}}) {
        WindowRig rig;
        rig.writeSetting(u"个人设置", u"使用多线程", value);
        rig.load();
        EXPECT_EQ(使用多线程, on);
        rig.unload();
        EXPECT_EQ(rig.setting(u"个人设置", u"使用多线程"), on ? u"1" : u"0");
    }
}

TEST(启动, 提示设置取开头的数) {
    WindowRig rig;
    rig.writeSetting(u"个人设置", u"提示使用拖放操作", u"5abc");
    rig.load();
    rig.unload();
    EXPECT_EQ(rig.setting(u"个人设置", u"提示使用拖放操作"), u"5");
}

TEST(对照表列表, 没有对照表时菜单项保持禁用) {
    WindowRig rig;
    rig.load();
    EXPECT_EQ(rig.basis.count(), 0);
    ASSERT_EQ(rig.menu.modeItemCount(), 1);
    EXPECT_FALSE(rig.menu.modeItemEnabled(0));
    EXPECT_EQ(rig.menu.modeItemCaption(0), u"转换方式");
}

TEST(对照表列表, 三个对照表按列出顺序进组合框和菜单) {
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
    std::vector<std::u16string> names = rig.basis.items();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"c.txt", u"简繁.txt", u"繁简.txt"}));
}

TEST(系统栏, 最小化进系统栏恢复后回来) {
    WindowRig rig;
    rig.load();
    minimise(rig);
    EXPECT_FALSE(rig.form.visible());
    EXPECT_TRUE(rig.desktop.fakeTray().iconShown());
    rig.form.setState(WindowState::Normal);
    rig.window().Form_Resize();
    EXPECT_TRUE(rig.form.visible());
    EXPECT_FALSE(rig.desktop.fakeTray().iconShown());
}

TEST(系统栏, 没有通知区域时最小化不隐藏窗体) {
    WindowRig rig;
    rig.desktop.withoutTray();
    rig.load();
    minimise(rig);
    EXPECT_TRUE(rig.form.visible());
    EXPECT_FALSE(rig.desktop.fakeTray().iconShown());
}

TEST(系统栏, 没有通知区域时保存的最小化状态照样显示窗体) {
    WindowRig rig;
    rig.desktop.withoutTray();
    rig.writeSetting(u"窗体位置", u"状态", u"1");
    rig.load();
    EXPECT_EQ(rig.form.state(), WindowState::Minimized);
    EXPECT_TRUE(rig.form.visible());
}

TEST(关闭, 设置写不进时报告并照样结束) {
    WindowRig rig;
    rig.load();
    minimise(rig);
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

} // namespace
} // namespace tolvane
