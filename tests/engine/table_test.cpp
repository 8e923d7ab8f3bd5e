#include "engine/state.h"
#include "engine/table.h"
#include "engine_test_support.h"
#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace tolvane::testing {
namespace {

class FakeWindow : public TableLoadWindow {
  public:
    void setCaption(const std::u16string& text) override { captions.push_back(text); }
    void clearSelection() override { ++selectionsCleared; }
    std::vector<std::u16string> captions;
    int selectionsCleared = 0;
};

class 对照表文件 : public EngineTest {
  protected:
    // Writes the table text in the ANSI code page and loads it.
    bool load(std::u16string_view text) {
        const auto bytes = encodeAnsi(text);
        writeBytes(file, std::string(bytes.begin(), bytes.end()));
        return 载入对照表文件(file, window);
    }
    ScratchFolder folder;
    std::u16string file = folder / u"简繁.txt";
    FakeWindow window;
};

// The line rules and where a load stops on a cancel are the fuzz target's
// properties; these are what the window shows around a load.
TEST_F(对照表文件, 载入报告进度且不复位对照表而读不到时失败且标题不变) {
    EXPECT_FALSE(载入对照表文件(folder / u"没有.txt", window));
    EXPECT_TRUE(window.captions.empty());
    设置对照(u'q', u'r');
    EXPECT_TRUE(load(u"a b\r\n"));
    EXPECT_EQ(查表(u'q'), u'r');
    EXPECT_EQ(window.captions,
              (std::vector<std::u16string>{u"正在读取内码对照表...", u"读取内码对照表完成！"}));
    // Loaded as before, but the user learns that nothing will change.
    EXPECT_TRUE(load(u"a b\nc d\n"));
    EXPECT_EQ(window.captions.back(), kNoMappingLines);
}

TEST_F(对照表文件, 复位后恒等且对照表不正常) {
    设置对照(u'a', u'b');
    对照表正常 = true;
    复位对照表();
    EXPECT_EQ(查表(u'a'), u'a');
    EXPECT_FALSE(对照表正常);
}

} // namespace
} // namespace tolvane::testing
