#include "common/scratch_folder.h"
#include "support/open_file.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

// Keeps the request and answers with a prepared file block, or cancels.
class FakeDialog : public OpenFileDialog {
  public:
    bool getOpenFileName(OpenFileName& request) override {
        seen = request;
        if (!confirm) return false;
        request.file = answer + std::u16string(request.nMaxFile - answer.size(), u'\0');
        request.fileTitle = u"a.txt" + std::u16string(10, u'\0');
        request.nFilterIndex = 2;
        return true;
    }
    OpenFileName seen;
    bool confirm = true;
    std::u16string answer;
};

struct Outputs {
    ListValue files;
    std::u16string title;
    bool readOnly = false;
    std::u16string filter = u"文本|*.txt|全部:*.*";
    std::int32_t filterIndex = 1;
    std::uint32_t flags = kOfnExplorer | kOfnAllowMultiSelect;
};

// The call the main window makes.
bool run(FakeDialog& dialog, Outputs& out) {
    return RunOpenDialog(dialog, out.files, out.title, true, false, out.readOnly, true, out.filter,
                         out.filterIndex, u"/start", u"标题", u"txt", 0x99, out.flags);
}

TEST(RunOpenDialog, 请求带上所有者和过滤器而回答带回标题和过滤器序号) {
    FakeDialog dialog;
    dialog.answer = u"/data/dir/x.txt";
    Outputs out;
    ASSERT_TRUE(run(dialog, out));
    EXPECT_EQ(dialog.seen.filter, std::u16string(u"文本\0*.txt\0全部\0*.*\0\0", 17));
    EXPECT_TRUE(dialog.seen.hwndOwner == 0x99U && dialog.seen.initialDir == u"/start");
    EXPECT_TRUE(dialog.seen.title == u"标题" && dialog.seen.defExt == u"txt");
    EXPECT_TRUE(out.title == u"a.txt" && out.filterIndex == 2);
}

TEST(RunOpenDialog, 取消时清空输出) {
    FakeDialog dialog;
    dialog.confirm = false;
    Outputs out;
    out.files = u"before";
    out.title = u"t";
    out.readOnly = true;
    EXPECT_FALSE(run(dialog, out));
    EXPECT_EQ(dialog.seen.file.substr(0, 6), u"before");
    EXPECT_EQ(out.files, ListValue(u""));
    EXPECT_TRUE(out.title.empty() && out.filter.empty() && out.filterIndex == -1);
    EXPECT_TRUE(out.flags == 0U && out.readOnly);
}

} // namespace
} // namespace tolvane
