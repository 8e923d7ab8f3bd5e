// The source list, the conversion type, the usage hint and the table choice.

#include "engine/job.h"
#include "engine/state.h"
#include "engine/table.h"
#include "tests/native_path.h"
#include "window/usage_hint.h"
#include "window_rig.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

void addFiles(WindowRig& rig, const std::vector<std::u16string>& names) {
    std::vector<std::u16string> paths;
    for (const std::u16string& name : names) {
        rig.writeTextFile(name, u"x");
        paths.push_back(rig.path(name));
    }
    rig.window().源文件_OLEDragDrop(fakes::FakeDropData(true, paths));
}

bool fileButtonsEnabled(const WindowRig& rig) {
    return rig.choose.enabled() && rig.remove.enabled() && rig.clear.enabled();
}

bool fileButtonsDisabled(const WindowRig& rig) {
    return !rig.choose.enabled() && !rig.remove.enabled() && !rig.clear.enabled();
}

TEST(转换类型, 剪贴板模式清空列表并显示剪贴板) {
    WindowRig rig;
    rig.desktop.fakeClipboard().setText(u"剪贴板里的字");
    rig.load();
    addFiles(rig, {u"a.txt"});
    rig.pickType(2);
    EXPECT_EQ(转换类型, 2);
    EXPECT_EQ(rig.list.count(), 0);
    EXPECT_EQ(rig.list.extent(), 0);
    EXPECT_FALSE(rig.list.visible());
    EXPECT_TRUE(rig.clip.visible());
    EXPECT_EQ(rig.clip.text(), u"剪贴板里的字");
    EXPECT_TRUE(fileButtonsDisabled(rig));
}

TEST(转换类型, 回到文件模式显示空列表并清空剪贴板框) {
    WindowRig rig;
    rig.desktop.fakeClipboard().setText(u"字");
    rig.load();
    rig.pickType(2);
    rig.pickType(1);
    EXPECT_EQ(转换类型, 1);
    EXPECT_TRUE(rig.list.visible());
    EXPECT_EQ(rig.list.count(), 0);
    EXPECT_FALSE(rig.clip.visible());
    EXPECT_EQ(rig.clip.text(), u"");
    EXPECT_TRUE(fileButtonsEnabled(rig));
}

TEST(转换类型, 剪贴板双击重新取文本) {
    WindowRig rig;
    rig.desktop.fakeClipboard().setText(u"旧");
    rig.load();
    rig.pickType(2);
    rig.desktop.fakeClipboard().setText(u"新");
    rig.window().剪贴板_DblClick();
    EXPECT_EQ(rig.clip.text(), u"新");
}

TEST(转换类型, 剪贴板没有文本或打不开时预览不变) {
    WindowRig rig;
    rig.desktop.fakeClipboard().setText(u"留着");
    rig.load();
    rig.pickType(2);
    rig.desktop.fakeClipboard().holdPictureOnly();
    rig.window().剪贴板_DblClick();
    EXPECT_EQ(rig.clip.text(), u"留着");
    rig.desktop.fakeClipboard().failToOpen(true);
    rig.window().剪贴板_DblClick();
    EXPECT_EQ(rig.clip.text(), u"留着");
}

TEST(转换类型, 预览只显示前2048个码元) {
    WindowRig rig;
    std::u16string text(3000, u'甲');
    text[2047] = u'乙';
    rig.desktop.fakeClipboard().setText(text);
    rig.load();
    rig.pickType(2);
    ASSERT_EQ(rig.clip.text().size(), 2048U);
    EXPECT_EQ(rig.clip.text().back(), u'乙');
}

// The busy state as it shows while a table loads.
struct BusyView {
    std::u16string startCaption;
    bool listEnabled = true;
    bool typeEnabled = true;
    bool basisEnabled = true;
    bool buttonsEnabled = true;
    std::shared_ptr<Picture> icon;
};

BusyView pickTableWatchingBusyState(WindowRig& rig) {
    BusyView seen;
    rig.desktop.onProcessEvents([&] {
        seen = {rig.start.caption(), rig.list.enabled(),      rig.type.enabled(),
                rig.basis.enabled(), fileButtonsEnabled(rig), rig.form.icon()};
    });
    rig.pickTable(0);
    rig.desktop.onProcessEvents({});
    return seen;
}

TEST(忙碌状态, 文件模式下载入对照表时忙碌之后空闲) {
    WindowRig rig;
    rig.writeTable(u"a.txt", {u"a b"});
    rig.load();
    const BusyView busy = pickTableWatchingBusyState(rig);
    EXPECT_EQ(busy.startCaption, u"<");
    EXPECT_FALSE(busy.listEnabled || busy.typeEnabled || busy.basisEnabled || busy.buttonsEnabled);
    EXPECT_EQ(busy.icon, rig.desktop.busyIcon());
    EXPECT_EQ(rig.start.caption(), u"4");
    EXPECT_TRUE(rig.list.enabled() && rig.type.enabled() && rig.basis.enabled());
    EXPECT_TRUE(fileButtonsEnabled(rig));
    EXPECT_EQ(rig.form.icon(), rig.desktop.idleIcon());
    EXPECT_TRUE(对照表正常);
}

TEST(忙碌状态, 剪贴板模式下三个按钮始终禁用) {
    WindowRig rig;
    rig.writeTable(u"a.txt", {u"a b"});
    rig.load();
    rig.pickType(2);
    const BusyView busy = pickTableWatchingBusyState(rig);
    EXPECT_EQ(busy.startCaption, u"<");
    EXPECT_FALSE(busy.buttonsEnabled);
    EXPECT_EQ(rig.start.caption(), u"4");
    EXPECT_TRUE(fileButtonsDisabled(rig));
    EXPECT_TRUE(rig.type.enabled());
}

TEST(删除, 删去第一和第三项留下其余的) {
    WindowRig rig;
    rig.load();
    addFiles(rig, {u"1.txt", u"2.txt", u"3.txt", u"4.txt", u"5.txt"});
    rig.list.select(0);
    rig.list.select(2);
    rig.window().删除_Click();
    EXPECT_EQ(rig.list.texts(), (std::vector<std::u16string>{rig.path(u"2.txt"), rig.path(u"4.txt"),
                                                             rig.path(u"5.txt")}));
}

TEST(删除, 没有选中时什么也不变全选时清空) {
    WindowRig rig;
    rig.load();
    addFiles(rig, {u"1.txt", u"2.txt"});
    const int extent = rig.list.extent();
    rig.window().删除_Click();
    EXPECT_EQ(rig.list.count(), 2);
    EXPECT_EQ(rig.list.extent(), extent);
    rig.list.select(0);
    rig.list.select(1);
    rig.window().删除_Click();
    EXPECT_EQ(rig.list.count(), 0);
    EXPECT_EQ(rig.list.extent(), 0);
}

// 7.5 pixels a code unit plus 5; a half goes to the even neighbour.
int widthOf(const std::u16string& text) {
    const int twice = 15 * static_cast<int>(text.size()) + 10;
    const int lower = twice / 2;
    if (twice % 2 == 0) return lower;
    return lower % 2 == 0 ? lower : lower + 1;
}

TEST(水平范围, 加长变宽加短不变删后收窄清除归零) {
    WindowRig rig;
    rig.load();
    addFiles(rig, {u"a.txt"});
    EXPECT_EQ(rig.list.extent(), widthOf(rig.path(u"a.txt")));
    addFiles(rig, {u"longer-name.txt"});
    const int wide = widthOf(rig.path(u"longer-name.txt"));
    EXPECT_EQ(rig.list.extent(), wide);
    addFiles(rig, {u"b.txt"});
    EXPECT_EQ(rig.list.extent(), wide);
    rig.list.select(1);
    rig.window().删除_Click();
    EXPECT_EQ(rig.list.extent(), widthOf(rig.path(u"a.txt")));
    rig.window().清除_Click();
    EXPECT_EQ(rig.list.extent(), 0);
}

TEST(水平范围, 一半时取偶) {
    WindowRig rig;
    rig.load();
    // The two paths differ in length by one, so one of them ends in a half.
    int halves = 0;
    for (const char16_t* name : {u"a.txt", u"ab.txt"}) {
        rig.window().清除_Click();
        addFiles(rig, {name});
        const std::u16string path = rig.path(name);
        const double exact = 7.5 * static_cast<double>(path.size()) + 5;
        halves += exact - std::floor(exact) == 0.5 ? 1 : 0;
        EXPECT_EQ(rig.list.extent(), widthOf(path));
    }
    EXPECT_EQ(halves, 1);
}

TEST(使用提示, 默认只出现一次并在重启后不再出现) {
    WindowRig second;
    {
        WindowRig rig;
        rig.load();
        rig.window().选择源文件_Click();
        rig.window().选择源文件_Click();
        ASSERT_EQ(rig.desktop.messages().size(), 1U);
        EXPECT_EQ(rig.desktop.messages()[0].text, 使用提示文本(true));
        EXPECT_EQ(rig.desktop.messages()[0].title, u"Tolvane");
        EXPECT_EQ(rig.desktop.messages()[0].icon, MessageIcon::None);
        rig.unload();
        second.copySettingsFrom(rig);
    }
    second.load();
    second.window().选择源文件_Click();
    EXPECT_TRUE(second.desktop.messages().empty());
    EXPECT_TRUE(second.desktop.fakeDialog().opened());
}

TEST(使用提示, 设置为零时从不出现) {
    WindowRig rig;
    rig.writeSetting(u"个人设置", u"提示使用拖放操作", u"0");
    rig.load();
    rig.window().选择源文件_Click();
    EXPECT_TRUE(rig.desktop.messages().empty());
}

TEST(使用提示, 其他值每次都出现且没有结尾行) {
    WindowRig rig;
    rig.writeSetting(u"个人设置", u"提示使用拖放操作", u"1");
    rig.load();
    rig.window().选择源文件_Click();
    rig.window().选择源文件_Click();
    ASSERT_EQ(rig.desktop.messages().size(), 2U);
    EXPECT_EQ(rig.desktop.messages()[1].text, 使用提示文本(false));
    EXPECT_EQ(rig.desktop.messages()[1].text.find(u"【本提示只出现一次】"), std::u16string::npos);
}

TEST(使用提示, 文本逐行如设计) {
    const std::u16string text = 使用提示文本(true);
    EXPECT_TRUE(text.starts_with(u"                      使用提示\r\n\r\n    用打开对话框"));
    EXPECT_TRUE(text.ends_with(u"件的话，查找对话框应该是第一选择。\r\n\r\n\r\n                 "
                               u"【本提示只出现一次】"));
    std::size_t breaks = 0;
    for (std::size_t at = text.find(u"\r\n"); at != std::u16string::npos;
         at = text.find(u"\r\n", at + 2))
        ++breaks;
    EXPECT_EQ(breaks, 14U);
}

TEST(选择源文件, 多个文件按对话框顺序加入) {
    WindowRig rig;
    rig.writeSetting(u"个人设置", u"提示使用拖放操作", u"0");
    rig.load();
    rig.desktop.fakeDialog().answer(native(std::u16string(u"/d/sub\0a.txt\0b.txt\0", 19)));
    rig.window().选择源文件_Click();
    EXPECT_EQ(rig.list.texts(),
              (std::vector<std::u16string>{native(u"/d/sub/a.txt"), native(u"/d/sub/b.txt")}));
}

TEST(选择源文件, 根文件夹里的文件不重复分隔符) {
    WindowRig rig;
    rig.writeSetting(u"个人设置", u"提示使用拖放操作", u"0");
    rig.load();
    rig.desktop.fakeDialog().answer(native(std::u16string(u"/\0a.txt\0b.txt\0", 14)));
    rig.window().选择源文件_Click();
    EXPECT_EQ(rig.list.texts(),
              (std::vector<std::u16string>{native(u"/a.txt"), native(u"/b.txt")}));
}

TEST(选择源文件, 取消时列表不变) {
    WindowRig rig;
    rig.writeSetting(u"个人设置", u"提示使用拖放操作", u"0");
    rig.load();
    addFiles(rig, {u"a.txt"});
    rig.window().选择源文件_Click();
    EXPECT_EQ(rig.list.count(), 1);
}

TEST(拖放, 只接受文件列表) {
    WindowRig rig;
    rig.load();
    EXPECT_EQ(rig.window().源文件_OLEDragOver(fakes::FakeDropData(true, {})), 1);
    EXPECT_EQ(rig.window().源文件_OLEDragOver(fakes::FakeDropData(false, {})), 0);
}

TEST(拖放, 跳过文件夹和已消失的路径重复的照样加入) {
    WindowRig rig;
    rig.load();
    rig.writeTextFile(u"a.txt", u"x");
    rig.writeTextFile(u"b.txt", u"x");
    std::filesystem::create_directory(std::filesystem::path(rig.path(u"目录")));
    const int effect = rig.window().源文件_OLEDragDrop(
        fakes::FakeDropData(true, {rig.path(u"a.txt"), rig.path(u"目录"), rig.path(u"没了.txt"),
                                   rig.path(u"b.txt"), rig.path(u"a.txt")}));
    EXPECT_EQ(effect, 1);
    EXPECT_EQ(rig.list.texts(), (std::vector<std::u16string>{rig.path(u"a.txt"), rig.path(u"b.txt"),
                                                             rig.path(u"a.txt")}));
}

std::vector<std::u16string> longTable() {
    std::vector<std::u16string> lines(1200, u"a b");
    return lines;
}

TEST(载入对照表, 第501行时取消) {
    WindowRig rig;
    rig.writeTable(u"长.txt", longTable());
    rig.load();
    int pumps = 0;
    // The first pump comes before the first line, the second at line 501.
    rig.desktop.onProcessEvents([&] {
        if (++pumps == 2) rig.window().开始转换_Click();
    });
    rig.pickTable(0);
    EXPECT_EQ(pumps, 2);
    EXPECT_EQ(rig.basis.selectedIndex(), -1);
    EXPECT_FALSE(对照表正常);
    EXPECT_FALSE(取消标志);
    EXPECT_EQ(rig.start.caption(), u"4");
    EXPECT_EQ(rig.form.caption(), u"正在读取内码对照表...");
}

TEST(载入对照表, 读完后标题报告完成) {
    WindowRig rig;
    rig.writeTable(u"长.txt", longTable());
    rig.load();
    rig.pickTable(0);
    EXPECT_TRUE(对照表正常);
    EXPECT_EQ(rig.form.caption(), u"读取内码对照表完成！");
    EXPECT_EQ(查表(u'a'), u'b');
}

TEST(载入对照表, 文件已删除时不正常且保持恒等) {
    WindowRig rig;
    rig.writeTable(u"a.txt", {u"a b"});
    rig.load();
    std::filesystem::remove(std::filesystem::path(rig.path(u"对照表/a.txt")));
    rig.pickTable(0);
    EXPECT_FALSE(对照表正常);
    EXPECT_EQ(查表(u'a'), u'a');
    EXPECT_EQ(rig.start.caption(), u"4");
}

} // namespace
} // namespace tolvane
