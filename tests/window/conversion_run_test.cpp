// The whole window running conversion jobs, in line and on a worker thread.

#include "engine/job.h"
#include "engine/state.h"
#include "window_rig.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

constexpr const char16_t* kNormalTitle = u"Tolvane 0.95 版";

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

    int tableIndex(const std::u16string& name) const {
        const auto& items = rig.basis.items();
        return static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin());
    }

    void startAndFinish() {
        rig.window().开始转换_Click();
        ASSERT_TRUE(rig.waitIdle());
    }

    void expectIdleAgain() {
        EXPECT_EQ(rig.start.caption(), u"4");
        EXPECT_EQ(rig.form.caption(), kNormalTitle);
        EXPECT_EQ(rig.form.icon(), rig.desktop.idleIcon());
        EXPECT_TRUE(rig.type.enabled() && rig.basis.enabled() && rig.list.enabled());
    }

    WindowRig rig;
};

TEST_P(运行, 文件内容转换后备份留原文) {
    rig.writeTextFile(u"一.txt", u"abca");
    rig.writeTextFile(u"二.txt", u"aa");
    rig.window().源文件_OLEDragDrop(
        fakes::FakeDropData(true, {rig.path(u"一.txt"), rig.path(u"二.txt")}));
    rig.pickTable(tableIndex(u"a.txt"));
    startAndFinish();
    EXPECT_EQ(rig.readTextFile(u"一.txt"), u"bbcb");
    EXPECT_EQ(rig.readTextFile(u"二.txt"), u"bb");
    EXPECT_EQ(rig.readTextFile(u"~Vebzo01.bak/一.txt"), u"abca");
    EXPECT_TRUE(rig.desktop.messages().empty());
    expectIdleAgain();
    EXPECT_TRUE(rig.choose.enabled());
}

TEST_P(运行, 剪贴板3000个码元全转换预览2048个) {
    rig.desktop.fakeClipboard().setText(std::u16string(3000, u'a'));
    rig.pickType(2);
    EXPECT_EQ(rig.clip.text(), std::u16string(2048, u'a'));
    rig.pickTable(tableIndex(u"a.txt"));
    startAndFinish();
    EXPECT_EQ(rig.desktop.fakeClipboard().text(), std::u16string(3000, u'b'));
    EXPECT_EQ(rig.clip.text(), std::u16string(2048, u'b'));
    expectIdleAgain();
    EXPECT_FALSE(rig.choose.enabled());
}

TEST_P(运行, 托盘菜单用第k个对照表转换剪贴板) {
    const int k = tableIndex(u"c.txt");
    rig.desktop.fakeClipboard().setText(u"abc");
    rig.window().转换方式_Click(k);
    ASSERT_TRUE(rig.waitIdle());
    EXPECT_EQ(rig.type.selectedIndex(), 2);
    EXPECT_EQ(rig.basis.selectedIndex(), k);
    EXPECT_TRUE(rig.clip.visible());
    EXPECT_EQ(rig.desktop.fakeClipboard().text(), u"cbc");
    expectIdleAgain();
}

TEST_P(运行, 托盘菜单对已选的对照表不再载入) {
    const int k = tableIndex(u"c.txt");
    rig.pickTable(k);
    // Were the table read again, the clipboard would get "d".
    rig.writeTable(u"c.txt", {u"a d"});
    rig.desktop.fakeClipboard().setText(u"a");
    rig.window().转换方式_Click(k);
    ASSERT_TRUE(rig.waitIdle());
    EXPECT_EQ(rig.desktop.fakeClipboard().text(), u"c");
    rig.desktop.fakeClipboard().setText(u"a");
    rig.window().转换方式_Click(tableIndex(u"a.txt"));
    ASSERT_TRUE(rig.waitIdle());
    EXPECT_EQ(rig.desktop.fakeClipboard().text(), u"b");
}

TEST_P(运行, 对照表不正常时拒绝转换而不死等) {
    // Through the tray menu, with a table that has gone since start-up.
    std::filesystem::remove(std::filesystem::path(rig.path(u"对照表/c.txt")));
    rig.desktop.fakeClipboard().setText(u"a");
    rig.window().转换方式_Click(tableIndex(u"c.txt"));
    ASSERT_TRUE(rig.waitIdle());
    ASSERT_EQ(rig.desktop.messages().size(), 1U);
    EXPECT_EQ(rig.desktop.messages()[0].text, u"内码对照表文件不正常！");
    EXPECT_EQ(rig.desktop.messages()[0].title, u"Tolvane");
    EXPECT_EQ(rig.desktop.fakeClipboard().text(), u"a");
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
    rig.desktop.fakeClipboard().setText(std::u16string(3000, u'a'));
    rig.pickType(2);
    // The Start button pressed again while the first status shows.
    rig.desktop.onProcessEvents([&] {
        if (rig.form.caption() == u"正在转换剪贴板文本...") rig.window().开始转换_Click();
    });
    rig.window().开始转换_Click();
    // Cancelled at its start, the job still puts the partly converted text back.
    const std::u16string text = rig.desktop.fakeClipboard().text();
    ASSERT_EQ(text.size(), 3000U);
    EXPECT_EQ(text.back(), u'a');
    EXPECT_FALSE(取消标志);
    EXPECT_FALSE(rig.busy());
}

class 工作线程 : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.writeTable(u"a.txt", {u"a b"});
        rig.load();
        rig.pickTable(0);
    }

    // Starts a files job over a file that is gone; the worker then waits for
    // its "source file not in order" message to be shown.
    void startJobThatWaits() {
        rig.list.addItem(rig.path(u"没了.txt"));
        rig.window().开始转换_Click();
        ASSERT_TRUE(rig.busy());
    }

    WindowRig rig;
};

TEST_F(工作线程, 作业运行时托盘菜单不改类型和对照表) {
    startJobThatWaits();
    rig.window().转换方式_Click(0);
    EXPECT_EQ(rig.type.selectedIndex(), 0);
    EXPECT_EQ(rig.list.count(), 1);
    EXPECT_TRUE(对照表正常);
    ASSERT_TRUE(rig.waitIdle());
    ASSERT_EQ(rig.desktop.messages().size(), 1U);
    EXPECT_EQ(rig.desktop.messages()[0].text, u"源文件不正常！");
}

TEST_F(工作线程, 作业运行时再按开始转换请求取消) {
    startJobThatWaits();
    rig.window().开始转换_Click();
    EXPECT_TRUE(取消标志);
    EXPECT_TRUE(rig.busy());
    ASSERT_TRUE(rig.waitIdle());
}

TEST_F(工作线程, 关闭后作业不再碰窗体) {
    startJobThatWaits();
    const std::u16string caption = rig.form.caption();
    rig.unload();
    rig.desktop.drainUntil([] { return false; }, std::chrono::milliseconds(50));
    EXPECT_TRUE(rig.desktop.messages().empty());
    EXPECT_EQ(rig.form.caption(), caption);
    EXPECT_TRUE(rig.busy());
}

TEST_F(工作线程, 设置写不进时也不留下作业) {
    startJobThatWaits();
    std::filesystem::create_directory(std::filesystem::path(rig.path(u"Tolvane.ini")));
    rig.unload();
    rig.desktop.drainUntil([] { return false; }, std::chrono::milliseconds(50));
    ASSERT_EQ(rig.desktop.messages().size(), 1U);
    EXPECT_EQ(rig.desktop.messages()[0].text, u"INI模块.INI属性写入.写入INI文件");
    EXPECT_FALSE(rig.desktop.fakeTray().iconShown());
}

} // namespace
} // namespace tolvane
