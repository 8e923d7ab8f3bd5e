// The whole window running conversion jobs on a worker thread, as it does by
// default, and once in line.

#include "engine/job.h"
#include "engine/state.h"
#include "support/tray.h"
#include "tolvane_version.h"
#include "window_rig.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

class 运行 : public ::testing::Test {
  protected:
    // Tables: a.txt maps a to b, c.txt maps a to c.
    void SetUp() override {
        rig.writeTable(u"a.txt", {u"a b"});
        rig.writeTable(u"c.txt", {u"a c"});
        rig.load();
        ASSERT_TRUE(使用多线程);
    }
    void TearDown() override {
        EXPECT_FALSE(rig.desktop.usedOffThread || rig.desktop.tray.usedOffThread);
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

TEST_F(运行, 剪贴板3000个码元全转换预览2048个) {
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

// The tray menu's k-th item converts the clipboard with the k-th table and
// its phrases, and leaves the window's own table and choice alone; the chosen
// table is not loaded again. A table that cannot be loaded is reported and
// nothing waits for it.
TEST_F(运行, 托盘菜单用第k个对照表转换剪贴板而不换掉窗体的对照表) {
    rig.writeTable(u"词组/c.txt", {u"ab xy"});
    rig.pickTable(rig.tableIndex(u"a.txt"));
    EXPECT_EQ(viaTrayMenu(u"c.txt", u"abca"), u"xycc");
    EXPECT_TRUE(rig.type.selectedIndex() == 2 && rig.clip.visible());
    EXPECT_EQ(rig.basis.selectedIndex(), rig.tableIndex(u"a.txt"));
    rig.desktop.clip.setText(u"ab");
    rig.window().剪贴板_DblClick();
    rig.window().开始转换_Click();
    ASSERT_TRUE(rig.waitIdle());
    EXPECT_EQ(rig.desktop.clip.text(), u"bb");
    rig.writeTable(u"a.txt", {u"a d"});
    EXPECT_EQ(viaTrayMenu(u"a.txt", u"a"), u"b");
    std::filesystem::remove(std::filesystem::path(rig.path(u"对照表/c.txt")));
    EXPECT_EQ(viaTrayMenu(u"c.txt", u"a"), u"a");
    ASSERT_EQ(rig.desktop.messages.size(), 1U);
    EXPECT_EQ(rig.desktop.messages[0].text, u"内码对照表文件不正常！");
    expectIdleAgain();
}

// A clipboard job whose first status waits in the window's queue. Meanwhile
// the tray menu changes nothing and Start asks to cancel. The window closes
// before the status is shown, and the settings cannot be written: that is
// reported, the tray icon goes, and neither the queued status nor any later
// call of the job touches the window.
TEST_F(运行, 作业运行时托盘菜单什么也不改而开始转换请求取消而关闭后作业不再碰窗体) {
    rig.desktop.clip.setText(u"a");
    rig.pickType(2);
    rig.pickTable(rig.tableIndex(u"c.txt"));
    rig.window().开始转换_Click();
    ASSERT_TRUE(rig.busy());
    rig.window().转换方式_Click(rig.tableIndex(u"a.txt"));
    EXPECT_EQ(rig.basis.selectedIndex(), rig.tableIndex(u"c.txt"));
    rig.window().开始转换_Click();
    EXPECT_TRUE(取消标志 && rig.busy());
    rig.minimise();
    std::filesystem::create_directory(std::filesystem::path(rig.path(u"Tolvane.ini")));
    const std::u16string caption = rig.form.caption();
    rig.unload();
    rig.desktop.drainUntil([] { return false; }, std::chrono::milliseconds(50));
    ASSERT_EQ(rig.desktop.messages.size(), 1U);
    EXPECT_EQ(rig.desktop.messages[0].title, u"Tolvane");
    EXPECT_NE(rig.desktop.messages[0].text.find(rig.path(u"Tolvane.ini")), std::u16string::npos);
    EXPECT_TRUE(rig.form.caption() == caption && rig.desktop.clip.text() == u"a");
    EXPECT_TRUE(取消标志 && !rig.desktop.tray.shown);
    EXPECT_EQ(回调模块::TrayOwner, nullptr);
}

// In line, every status lets the window process its events: the Start button
// pressed then cancels, and a close leaves the job unable to touch the window.
TEST(窗体线程, 作业中每个状态都让窗体处理事件所以能取消也能关闭) {
    WindowRig rig;
    rig.writeTable(u"a.txt", {u"a b"});
    rig.writeSetting(u"个人设置", u"使用多线程", u"0");
    rig.load();
    rig.pickTable(0);
    rig.desktop.clip.setText(std::u16string(3000, u'a'));
    rig.pickType(2);
    const std::u16string firstStatus = u"正在转换剪贴板文本...";
    rig.desktop.onProcessEvents = [&] {
        if (rig.form.caption() == firstStatus) rig.window().开始转换_Click();
    };
    rig.window().开始转换_Click();
    EXPECT_EQ(rig.desktop.clip.text(), std::u16string(3000, u'b')); // one piece: too late to stop
    EXPECT_FALSE(rig.busy());
    rig.desktop.clip.setText(std::u16string(3000, u'a'));
    rig.window().剪贴板_DblClick();
    rig.desktop.onProcessEvents = [&] {
        if (rig.form.caption() == firstStatus) rig.unload();
    };
    rig.window().开始转换_Click();
    EXPECT_EQ(rig.desktop.clip.text(), std::u16string(3000, u'a'));
    EXPECT_EQ(rig.form.caption(), firstStatus);
}

} // namespace
} // namespace tolvane
