#include "support/open_file.h"
#include "tests/native_path.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

std::u16string withNuls(const char16_t* text, std::size_t length) {
    return {text, length};
}

// Keeps the request and answers with a prepared file block, or cancels.
class FakeDialog : public OpenFileDialog {
  public:
    bool getOpenFileName(OpenFileName& request) override {
        seen = request;
        if (!confirm) return false;
        request.file = answer + std::u16string(request.nMaxFile - answer.size(), u'\0');
        request.fileTitle = title;
        request.flags = request.flags | extraFlags;
        request.nFilterIndex = 2;
        return true;
    }
    OpenFileName seen;
    bool confirm = true;
    std::u16string answer;
    std::u16string title = std::u16string(u"a.txt") + std::u16string(10, u'\0');
    std::uint32_t extraFlags = 0;
};

struct Outputs {
    ListValue files;
    std::u16string title;
    bool readOnly = false;
    std::u16string filter = u"所有文件 (*.*)|*.*";
    std::int32_t filterIndex = 1;
    std::uint32_t flags = kOfnExplorer | kOfnAllowMultiSelect;
};

// The call the main window makes.
bool runAsMainWindow(FakeDialog& dialog, Outputs& out, WindowHandle owner = 0x99) {
    return RunOpenDialog(dialog, out.files, out.title, true, false, out.readOnly, true, out.filter,
                         out.filterIndex, u"", u"", u"", owner, out.flags);
}

ListValue texts(std::initializer_list<std::u16string> pieces) {
    return ListValue::list(std::vector<ListValue>(pieces.begin(), pieces.end()));
}

TEST(RunOpenDialog, 主窗体的请求) {
    FakeDialog dialog;
    dialog.answer = u"/home/u/a.txt";
    Outputs out;
    ASSERT_TRUE(runAsMainWindow(dialog, out));
    EXPECT_EQ(dialog.seen.lStructSize, 76U);
    EXPECT_EQ(dialog.seen.flags, 0x81204U);
    EXPECT_EQ(dialog.seen.nMaxFile, 4096U);
    EXPECT_EQ(dialog.seen.file, std::u16string(4096, u'\0'));
    EXPECT_EQ(dialog.seen.fileTitle, std::u16string(260, u'\0'));
    EXPECT_EQ(dialog.seen.nMaxFileTitle, 260U);
    EXPECT_EQ(dialog.seen.hwndOwner, 0x99U);
    EXPECT_EQ(dialog.seen.nFilterIndex, 1);
    EXPECT_EQ(dialog.seen.filter, withNuls(u"所有文件 (*.*)\0*.*\0\0", 16));
}

TEST(RunOpenDialog, 过滤器的竖线和冒号变空字符) {
    FakeDialog dialog;
    Outputs out;
    out.filter = u"文本|*.txt|全部:*.*";
    runAsMainWindow(dialog, out);
    EXPECT_EQ(dialog.seen.filter, withNuls(u"文本\0*.txt\0全部\0*.*\0\0", 17));
}

TEST(RunOpenDialog, 选两个文件得文件夹和名字) {
    FakeDialog dialog;
    dialog.answer = withNuls(u"/home/u\0a.txt\0b.txt\0\0", 21);
    Outputs out;
    ASSERT_TRUE(runAsMainWindow(dialog, out));
    EXPECT_EQ(out.files, texts({u"/home/u", u"a.txt", u"b.txt"}));
    EXPECT_EQ(out.title, u"a.txt");
    EXPECT_EQ(out.filterIndex, 2);
    EXPECT_EQ(out.flags, 0x81204U);
    EXPECT_FALSE(out.readOnly);
}

TEST(RunOpenDialog, 多选模式下一个文件也拆成文件夹和名字) {
    FakeDialog dialog;
    dialog.answer = native(u"/data/dir/x.txt");
    Outputs out;
    ASSERT_TRUE(runAsMainWindow(dialog, out));
    EXPECT_EQ(out.files, texts({native(u"/data/dir"), u"x.txt"}));
    dialog.answer = native(u"/x.txt");
    Outputs root;
    root.flags = kOfnAllowMultiSelect;
    ASSERT_TRUE(runAsMainWindow(dialog, root));
    EXPECT_EQ(root.files, texts({u"", u"x.txt"}));
}

TEST(RunOpenDialog, 单选模式下一个文件是完整路径文本) {
    FakeDialog dialog;
    dialog.answer = u"/data/dir/x.txt";
    Outputs out;
    out.flags = kOfnExplorer;
    ASSERT_TRUE(runAsMainWindow(dialog, out));
    EXPECT_EQ(dialog.seen.nMaxFile, 260U);
    EXPECT_EQ(out.files, ListValue(u"/data/dir/x.txt"));
}

TEST(RunOpenDialog, 多选开关只加标志位) {
    FakeDialog dialog;
    dialog.answer = u"/d/x.txt";
    ListValue files;
    std::u16string title;
    bool readOnly = true;
    std::u16string filter;
    std::int32_t index = 0;
    std::uint32_t flags = 0;
    dialog.extraFlags = kOfnReadOnly;
    ASSERT_TRUE(RunOpenDialog(dialog, files, title, false, true, readOnly, false, filter, index,
                              u"/start", u"标题", u"txt", kNoOwner, flags));
    EXPECT_EQ(dialog.seen.flags, kOfnAllowMultiSelect | kOfnReadOnly);
    EXPECT_EQ(dialog.seen.nMaxFile, 260U);
    EXPECT_EQ(dialog.seen.hwndOwner, 0U);
    EXPECT_EQ(dialog.seen.initialDir, u"/start");
    EXPECT_EQ(dialog.seen.title, u"标题");
    EXPECT_EQ(dialog.seen.defExt, u"txt");
    EXPECT_EQ(files, ListValue(u"/d/x.txt"));
    EXPECT_TRUE(readOnly);
}

TEST(RunOpenDialog, 取消时的输出) {
    FakeDialog dialog;
    dialog.confirm = false;
    Outputs out;
    out.files = u"before";
    out.title = u"t";
    out.readOnly = true;
    EXPECT_FALSE(runAsMainWindow(dialog, out, kNoOwner));
    EXPECT_EQ(dialog.seen.hwndOwner, 0U);
    EXPECT_EQ(dialog.seen.file.substr(0, 6), u"before");
    EXPECT_EQ(out.files, ListValue(u""));
    EXPECT_EQ(out.title, u"");
    EXPECT_EQ(out.filter, u"");
    EXPECT_EQ(out.filterIndex, -1);
    EXPECT_EQ(out.flags, 0U);
    EXPECT_TRUE(out.readOnly);
}

} // namespace
} // namespace tolvane
