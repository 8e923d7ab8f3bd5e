// The source list, the conversion type, the usage hint and the table choice.

#include "engine/job.h"
#include "engine/state.h"
#include "engine/table.h"
#include "window_rig.h"

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

TEST(转换类型, 剪贴板模式清空列表而回到文件模式清空剪贴板框) {
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
    rig.pickType(1);
    EXPECT_EQ(转换类型, 1);
    EXPECT_TRUE(rig.list.visible());
    EXPECT_FALSE(rig.clip.visible());
    EXPECT_EQ(rig.clip.text(), u"");
    EXPECT_TRUE(fileButtonsEnabled(rig));
}

TEST(转换类型, 剪贴板双击重新取文本而没有文本或打不开时预览不变) {
    WindowRig rig;
    rig.desktop.fakeClipboard().setText(u"旧");
    rig.load();
    rig.pickType(2);
    rig.desktop.fakeClipboard().setText(u"新");
    rig.window().剪贴板_DblClick();
    EXPECT_EQ(rig.clip.text(), u"新");
    rig.desktop.fakeClipboard().holdPictureOnly();
    rig.window().剪贴板_DblClick();
    EXPECT_EQ(rig.clip.text(), u"新");
    rig.desktop.fakeClipboard().failToOpen(true);
    rig.window().剪贴板_DblClick();
    EXPECT_EQ(rig.clip.text(), u"新");
}

// The busy state as it shows while a table loads, in both modes.
TEST(忙碌状态, 载入对照表时忙碌之后空闲) {
    for (const int type : {0, 2}) {
        SCOPED_TRACE(type);
        WindowRig rig;
        rig.writeTable(u"a.txt", {u"a b"});
        rig.load();
        rig.pickType(type);
        bool checked = false;
        rig.desktop.onProcessEvents([&] {
            checked = true;
            EXPECT_EQ(rig.start.caption(), u"<");
            EXPECT_FALSE(rig.list.enabled() || rig.type.enabled() || rig.basis.enabled());
            EXPECT_TRUE(fileButtonsDisabled(rig));
            EXPECT_EQ(rig.form.icon(), rig.desktop.busyIcon());
        });
        rig.pickTable(0);
        rig.desktop.onProcessEvents({});
        EXPECT_TRUE(checked);
        EXPECT_EQ(rig.start.caption(), u"4");
        EXPECT_TRUE(rig.list.enabled() && rig.type.enabled() && rig.basis.enabled());
        EXPECT_EQ(fileButtonsEnabled(rig), type == 0);
        EXPECT_EQ(rig.form.icon(), rig.desktop.idleIcon());
        EXPECT_TRUE(对照表正常);
    }
}

TEST(删除, 删去选中的项而没有选中时什么也不变) {
    WindowRig rig;
    rig.load();
    addFiles(rig, {u"1.txt", u"2.txt", u"3.txt", u"4.txt"});
    rig.window().删除_Click();
    EXPECT_EQ(rig.list.count(), 4);
    rig.list.select(0);
    rig.list.select(2);
    rig.window().删除_Click();
    EXPECT_EQ(rig.list.texts(),
              (std::vector<std::u16string>{rig.path(u"2.txt"), rig.path(u"4.txt")}));
    rig.list.select(0);
    rig.list.select(1);
    rig.window().删除_Click();
    EXPECT_EQ(rig.list.count(), 0);
}

// The list scrolls far enough to show its longest entry, and no further.
TEST(水平范围, 跟着最长的项变化) {
    WindowRig rig;
    rig.load();
    addFiles(rig, {u"a.txt"});
    const int narrow = rig.list.extent();
    EXPECT_GE(narrow, static_cast<int>(rig.form.textWidth(rig.path(u"a.txt"))));
    addFiles(rig, {u"longer-name.txt"});
    const int wide = rig.list.extent();
    EXPECT_GT(wide, narrow);
    addFiles(rig, {u"b.txt"});
    EXPECT_EQ(rig.list.extent(), wide);
    rig.list.select(1);
    rig.window().删除_Click();
    EXPECT_EQ(rig.list.extent(), narrow);
    rig.window().清除_Click();
    EXPECT_EQ(rig.list.extent(), 0);
}

TEST(使用提示, 默认只出现一次并在重启后不再出现) {
    WindowRig second;
    {
        WindowRig rig;
        rig.load();
        rig.window().选择源文件_Click();
        rig.window().选择源文件_Click();
        ASSERT_EQ(rig.desktop.messages().size(), 1U);
        EXPECT_EQ(rig.desktop.messages()[0].title, u"Tolvane");
        rig.unload();
        second.copySettingsFrom(rig);
    }
    second.load();
    second.window().选择源文件_Click();
    EXPECT_TRUE(second.desktop.messages().empty());
    EXPECT_TRUE(second.desktop.fakeDialog().opened());
}

TEST(使用提示, 设置为零时从不出现而其他值每次都出现) {
    for (const auto& [value, shown] : {std::pair{u"0", 0U}, std::pair{u"1", 2U}}) {
        WindowRig rig;
        rig.writeSetting(u"个人设置", u"提示使用拖放操作", value);
        rig.load();
        rig.window().选择源文件_Click();
        rig.window().选择源文件_Click();
        EXPECT_EQ(rig.desktop.messages().size(), shown) << shown;
    }
}

TEST(选择源文件, 对话框选中的文件按顺序加入) {
    struct Case {
        std::optional<std::u16string> answer; // none: the user cancels
        std::vector<std::u16string> added;
    };
    const Case cases[] = {
        {std::u16string(u"/d/sub\0a.txt\0b.txt\0", 19), {u"/d/sub/a.txt", u"/d/sub/b.txt"}},
        {std::u16string(u"/\0a.txt\0b.txt\0", 14), {u"/a.txt", u"/b.txt"}},
        {std::nullopt, {}},
    };
    for (const Case& c : cases) {
        WindowRig rig;
        rig.writeSetting(u"个人设置", u"提示使用拖放操作", u"0");
        rig.load();
        rig.desktop.fakeDialog().answer(c.answer);
        rig.window().选择源文件_Click();
        EXPECT_EQ(rig.list.texts(), c.added);
    }
}

TEST(拖放, 只接受文件列表并跳过文件夹和已消失的路径) {
    WindowRig rig;
    rig.load();
    EXPECT_EQ(rig.window().源文件_OLEDragOver(fakes::FakeDropData(true, {})), 1);
    EXPECT_EQ(rig.window().源文件_OLEDragOver(fakes::FakeDropData(false, {})), 0);
    rig.writeTextFile(u"a.txt", u"x");
    std::filesystem::create_directory(std::filesystem::path(rig.path(u"目录")));
    const int effect = rig.window().源文件_OLEDragDrop(fakes::FakeDropData(
        true, {rig.path(u"a.txt"), rig.path(u"目录"), rig.path(u"没了.txt"), rig.path(u"a.txt")}));
    EXPECT_EQ(effect, 1);
    EXPECT_EQ(rig.list.texts(),
              (std::vector<std::u16string>{rig.path(u"a.txt"), rig.path(u"a.txt")}));
}

// The wiring of the load's cancel: the engine's own test covers where it stops.
TEST(载入对照表, 载入时按开始转换取消) {
    WindowRig rig;
    rig.writeTable(u"长.txt", std::vector<std::u16string>(1200, u"a b"));
    rig.load();
    rig.desktop.onProcessEvents([&] { rig.window().开始转换_Click(); });
    rig.pickTable(0);
    EXPECT_EQ(rig.basis.selectedIndex(), -1);
    EXPECT_FALSE(对照表正常);
    EXPECT_FALSE(取消标志);
    EXPECT_EQ(rig.start.caption(), u"4");
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
