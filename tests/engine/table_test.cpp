// Table files and their phrase files: which lines count, what a load shows
// and what it reports.

#include "engine/convert.h"
#include "engine/state.h"
#include "engine/table.h"
#include "engine_test_support.h"
#include "platform/codepage.h"

#include <filesystem>
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
    void SetUp() override {
        EngineTest::SetUp();
        std::filesystem::create_directory(std::filesystem::path(folder / u"词组"));
    }
    // Writes text in the ANSI code page as the table file, and phrases as its
    // phrase file when given; loads them.
    LoadedTable load(std::u16string_view text, std::u16string_view phrases = {},
                     bool usePhrases = true) {
        write(file, text);
        if (!phrases.empty()) write(folder / u"词组/简繁.txt", phrases);
        return 载入对照表文件(file, window, usePhrases);
    }
    static void write(const std::u16string& path, std::u16string_view text) {
        const auto bytes = encodeAnsi(text);
        writeBytes(path, std::string(bytes.begin(), bytes.end()));
    }
    ScratchFolder folder;
    std::u16string file = folder / u"简繁.txt";
    FakeWindow window;
};

TEST_F(对照表文件, 载入报告进度和结果而读不到时失败且标题不变) {
    EXPECT_EQ(载入对照表文件(folder / u"没有.txt", window, true).outcome, LoadOutcome::Unreadable);
    EXPECT_TRUE(window.captions.empty());
    const LoadedTable loaded = load(u"a b\r\n");
    EXPECT_EQ(loaded.outcome, LoadOutcome::Loaded);
    EXPECT_EQ(loaded.table->查表(u'a'), u'b');
    EXPECT_EQ(window.captions,
              (std::vector<std::u16string>{u"正在读取内码对照表...", u"读取内码对照表完成！"}));
    // Loaded, but the user learns that nothing will change.
    EXPECT_EQ(load(u"a b\nc d\n").outcome, LoadOutcome::MapsNothing);
    EXPECT_EQ(window.captions.back(), kNoMappingLines);
}

// Mapping lines are "source, space, target", one unit each; the rest is
// skipped. A byte that does not decode is no character.
TEST_F(对照表文件, 对照行的规则) {
    const TablePtr table = load(u"a b\r\na c\r\n"          // a later line replaces an earlier one
                                u"d\te\r\nf g \r\nhij\r\n" // tab, trailing blank, no space: skipped
                                u"  k\r\n汉 漢\r" // a space can be mapped; a lone CR ends a line
                                u"\xDC80 m\r\nn \xDC81\r\n") // stray bytes: skipped
                               .table;
    EXPECT_EQ(转换文本(*table, u"adfh 汉\xDC80n"), u"cdfhk漢\xDC80n");
}

// Phrase lines: two sides of the same length, two units or more, one space
// between; only with phrases, from the file of the table's name in 词组.
TEST_F(对照表文件, 词组行的规则而只按单字时不用词组) {
    const std::u16string phrases = u"汉字 漢字\r\n体系 體系\r\n体系 体系\r\n" // the later wins
                                   u"a b\r\n汉字 漢\r\n汉字  漢字\r\n"        // no phrase lines
                                   u"字母表 字毋表\r\n";
    const TablePtr table = load(u"字 子\r\n", phrases).table;
    EXPECT_EQ(table->词组().size(), 3U);
    EXPECT_EQ(转换文本(*table, u"汉字字母表体系a字"), u"漢字字毋表体系a子");
    const TablePtr charactersOnly = load(u"字 子\r\n", phrases, false).table;
    EXPECT_EQ(转换文本(*charactersOnly, u"汉字字母表"), u"汉子子母表");
    // Phrases alone map something.
    EXPECT_EQ(load(u"", phrases).outcome, LoadOutcome::Loaded);
}

} // namespace
} // namespace tolvane::testing
