// The whole window running conversion jobs, in line and on a worker thread.

#include "engine/job.h"
#include "engine/state.h"
#include "tolvane_version.h"
#include "window_rig.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

class 运行 : public ::testing::TestWithParam<bool> {
  protected:
    // Tables: a.txt maps a to b, c.txt maps a to c.
    void SetUp() override {
        rig.writeTable(u"a.txt", {u"a b"});
        rig.writeTable(u"c.txt", {u"a c"});
        if (!GetParam()) rig.writeSetting(u"个人设置", u"使用多线程", u"0");
        rig.load();
        ASSERT_EQ(使用多线程, GetParam());
    }
    void expectIdleAgain() {
        EXPECT_TRUE(rig.form.caption() == u"Tolvane " TOLVANE_VERSION " 版" && !rig.busy());
        EXPECT_EQ(rig.form.icon(), rig.desktop.idleIcon());
        EXPECT_TRUE(rig.type.enabled() && rig.basis.enabled() && rig.list.enabled());
    }
    // Converts the clipboard through the tray menu's k-th table.
    std::u16string viaTrayMenu(const std::u16string& table, const std::u16string& text) {
        rig.desktop.clip.setText(text);
        rig.window().转换方式_Click(rig.tableIndex(table));
        EXPECT_TRUE(rig.waitIdle());
        return rig.desktop.clip.text();
    }

    WindowRig rig;
};

TEST_P(运行, 文件内容转换后备份留原文) {
    rig.writeTextFile(u"一.txt", u"abca");
    rig.window().源文件_OLEDragDrop(fakes::FakeDropData(true, {rig.path(u"一.txt")}));
    rig.pickTable(rig.tableIndex(u"a.txt"));
    rig.window().开始转换_Click();
    ASSERT_TRUE(rig.waitIdle());
    EXPECT_EQ(rig.readTextFile(u"一.txt"), u"bbcb");
    EXPECT_EQ(rig.readTextFile(u"~Vebzo01.bak/一.txt"), u"abca");
    EXPECT_TRUE(rig.desktop.messages.empty() && rig.choose.enabled());
    expectIdleAgain();
}

TEST_P(运行, 剪贴板3000个码元全转换预览2048个) {
    rig.desktop.clip.setText(std::u16string(3000, u'a'));
    rig.pickType(2);
    EXPECT_EQ(rig.clip.text(), std::u16string(2048, u'a'));
    rig.pickTable(rig.tableIndex(u"a.txt"));
    rig.window().开始转换_Click();
    ASSERT_TRUE(rig.waitIdle());
    EXPECT_EQ(rig.desktop.clip.text(), std::u16string(3000, u'b'));
    EXPECT_EQ(rig.clip.text(), std::u16string(2048, u'b'));
    expectIdleAgain();
    EXPECT_FALSE(rig.choose.enabled());
}

// The tray menu's k-th item converts the clipboard with the k-th table,
// loading it only when it is not the one already chosen; a table that cannot
// be loaded is reported and nothing waits for it.
TEST_P(运行, 托盘菜单用第k个对照表转换剪贴板) {
    EXPECT_EQ(viaTrayMenu(u"c.txt", u"abc"), u"cbc");
    EXPECT_TRUE(rig.type.selectedIndex() == 2 && rig.clip.visible());
    EXPECT_EQ(rig.basis.selectedIndex(), rig.tableIndex(u"c.txt"));
    rig.writeTable(u"c.txt", {u"a d"});
    EXPECT_EQ(viaTrayMenu(u"c.txt", u"a"), u"c");
    EXPECT_EQ(viaTrayMenu(u"a.txt", u"a"), u"b");
    std::filesystem::remove(std::filesystem::path(rig.path(u"对照表/c.txt")));
    EXPECT_EQ(viaTrayMenu(u"c.txt", u"a"), u"a");
    ASSERT_EQ(rig.desktop.messages.size(), 1U);
    EXPECT_EQ(rig.desktop.messages[0].text, u"内码对照表文件不正常！");
    expectIdleAgain();
}

INSTANTIATE_TEST_SUITE_P(线程与否, 运行, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "worker" : "inline"; });

TEST(窗体线程, 作业中每个状态都让窗体处理事件所以能取消) {
    WindowRig rig;
    rig.writeTable(u"a.txt", {u"a b"});
    rig.writeSetting(u"个人设置", u"使用多线程", u"0");
    rig.load();
    rig.pickTable(0);
    rig.desktop.clip.setText(std::u16string(3000, u'a'));
    rig.pickType(2);
    // The Start button pressed again while the first status shows.
    rig.desktop.onProcessEvents = [&] {
        if (rig.form.caption() == u"正在转换剪贴板文本...") rig.window().开始转换_Click();
    };
    rig.window().开始转换_Click();
    EXPECT_EQ(rig.desktop.clip.text().back(), u'a');
    EXPECT_FALSE(取消标志 || rig.busy());
}

// Starts a files job over a file that is gone; the worker then waits for its
// "source file not in order" message to be shown.
void startJobThatWaits(WindowRig& rig) {
    rig.writeTable(u"a.txt", {u"a b"});
    rig.load();
    rig.pickTable(0);
    rig.list.addItem(rig.path(u"没了.txt"));
    rig.window().开始转换_Click();
    ASSERT_TRUE(rig.busy());
}

TEST(工作线程, 作业运行时托盘菜单什么也不改而再按开始转换请求取消) {
    WindowRig rig;
    startJobThatWaits(rig);
    rig.window().转换方式_Click(0);
    EXPECT_TRUE(rig.type.selectedIndex() == 0 && rig.list.count() == 1 && 对照表正常);
    rig.window().开始转换_Click();
    EXPECT_TRUE(取消标志 && rig.busy());
    ASSERT_TRUE(rig.waitIdle());
    ASSERT_EQ(rig.desktop.messages.size(), 1U);
    EXPECT_EQ(rig.desktop.messages[0].text, u"源文件不正常！");
}

TEST(工作线程, 关闭后作业不再碰窗体即使设置写不进) {
    for (const bool settingsFail : {false, true}) {
        WindowRig rig;
        startJobThatWaits(rig);
        if (settingsFail)
            std::filesystem::create_directory(std::filesystem::path(rig.path(u"Tolvane.ini")));
        const std::u16string caption = rig.form.caption();
        rig.unload();
        rig.desktop.drainUntil([] { return false; }, std::chrono::milliseconds(50));
        // Only the report of the settings that could not be written.
        EXPECT_EQ(rig.desktop.messages.size(), settingsFail ? 1U : 0U);
        EXPECT_TRUE(rig.form.caption() == caption && !rig.desktop.tray.shown);
    }
}

} // namespace
} // namespace tolvane
