// The source list, the conversion type, the usage hint and the table choice.

#include "engine/job.h"
#include "engine/state.h"
#include "window_rig.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

using Texts = std::vector<std::u16string>;

// The three file buttons, all alike.
bool fileButtons(const WindowRig& rig) {
    EXPECT_TRUE(rig.choose.enabled() == rig.remove.enabled() &&
                rig.choose.enabled() == rig.clear.enabled());
    return rig.choose.enabled();
}

TEST(转换类型, 剪贴板模式显示剪贴板而文件模式显示空列表) {
    WindowRig rig;
    rig.desktop.clip.setText(u"旧");
    rig.load();
    rig.list.addItem(u"a.txt");
    rig.pickType(2);
    EXPECT_TRUE(转换类型 == 2 && rig.list.count() == 0);
    EXPECT_TRUE(rig.clip.visible() && !rig.list.visible() && !fileButtons(rig));
    EXPECT_EQ(rig.clip.text(), u"旧");
    // A double click takes the text again; an unopenable clipboard keeps the preview.
    rig.desktop.clip.setText(u"新");
    rig.window().剪贴板_DblClick();
    rig.desktop.clip.failing = true;
    rig.window().剪贴板_DblClick();
    EXPECT_EQ(rig.clip.text(), u"新");
    rig.pickType(1);
    EXPECT_TRUE(转换类型 == 1 && !rig.clip.visible() && rig.list.visible() && fileButtons(rig));
    EXPECT_EQ(rig.clip.text(), u"");
}

// The usage hint before the dialog: shown once by default, never for 0, every
// time for other values. The dialog's files are added in order, a cancel adds
// nothing.
TEST(选择源文件, 使用提示按设置出现而对话框选中的文件按顺序加入) {
    const Texts added{testing::native(u"/d/sub/a.txt"), testing::native(u"/d/sub/b.txt")};
    for (const auto& [value, shown] : {std::pair{u"", 1U}, {u"0", 0U}, {u"1", 2U}}) {
        WindowRig rig;
        if (*value) rig.writeSetting(u"个人设置", u"提示使用拖放操作", value);
        rig.load();
        rig.window().选择源文件_Click();
        EXPECT_EQ(rig.list.count(), 0);
        rig.desktop.dialog.answer = testing::native(std::u16string(u"/d/sub\0a.txt\0b.txt\0", 19));
        rig.window().选择源文件_Click();
        EXPECT_EQ(rig.desktop.messages.size(), shown) << shown;
        EXPECT_EQ(rig.list.texts, added);
    }
}

// Only a file list is accepted, and of it only the files; the list scrolls
// far enough to show its longest entry, and the selected ones can be deleted.
TEST(拖放, 只接受文件列表并跳过文件夹和已消失的路径而选中的可删除) {
    WindowRig rig;
    rig.load();
    EXPECT_EQ(rig.window().源文件_OLEDragOver(fakes::FakeDropData(true, {})), 1);
    EXPECT_EQ(rig.window().源文件_OLEDragOver(fakes::FakeDropData(false, {})), 0);
    testing::writeBytes(rig.path(u"a.txt"), "x");
    testing::writeBytes(rig.path(u"longer-name.txt"), "x");
    std::filesystem::create_directory(std::filesystem::path(rig.path(u"目录")));
    const Texts dropped{rig.path(u"a.txt"), rig.path(u"目录"), rig.path(u"没了.txt"),
                        rig.path(u"longer-name.txt")};
    EXPECT_EQ(rig.window().源文件_OLEDragDrop(fakes::FakeDropData(true, dropped)), 1);
    EXPECT_EQ(rig.list.texts, (Texts{rig.path(u"a.txt"), rig.path(u"longer-name.txt")}));
    const int wide = rig.list.extent;
    EXPECT_GE(wide, rig.form.textWidth(rig.path(u"longer-name.txt")));
    rig.window().删除_Click();
    EXPECT_EQ(rig.list.count(), 2);
    rig.list.selected[1] = true;
    rig.window().删除_Click();
    EXPECT_EQ(rig.list.texts, Texts{rig.path(u"a.txt")});
    EXPECT_LT(rig.list.extent, wide);
    EXPECT_GE(rig.list.extent, rig.form.textWidth(rig.path(u"a.txt")));
}

// The window gets its turn before the first line and then every 501 lines:
// Start pressed at the turn in the middle of a long load cancels it there,
// and a job then finds no table.
TEST(载入对照表, 载入中途按开始转换取消) {
    WindowRig rig;
    rig.writeTable(u"长.txt", Texts(1200, u"a b"));
    rig.load();
    int turns = 0;
    rig.desktop.onProcessEvents = [&] {
        if (++turns == 2) rig.window().开始转换_Click();
    };
    rig.pickTable(rig.tableIndex(u"长.txt"));
    rig.desktop.onProcessEvents = nullptr;
    EXPECT_EQ(rig.basis.selectedIndex(), -1);
    EXPECT_FALSE(取消标志 || rig.busy());
    rig.window().开始转换_Click();
    ASSERT_TRUE(rig.waitIdle());
    ASSERT_EQ(rig.desktop.messages.size(), 1U);
    EXPECT_EQ(rig.desktop.messages[0].text, u"内码对照表文件不正常！");
}

} // namespace
} // namespace tolvane
