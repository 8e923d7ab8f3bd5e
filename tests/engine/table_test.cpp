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

// Each case loads its text into an identity table; `mapped` lists the units
// that must map as given, `kept` the units that must stay themselves.
struct LineCase {
    const char* name;
    std::u16string_view text;
    std::u16string_view mapped; // pairs: source, target
    std::u16string_view kept;
};

constexpr LineCase kLineCases[] = {
    {"CR or CR LF ends a line", u"a b\rc d\r\ne f", u"abcdef", u""},
    {"code page 936", u"汉 漢\r\n", u"汉漢", u""},
    {"LF alone ends no line", u"a b\nc d\n", u"", u"ac"},
    {"tab, two spaces, three letters, trailing blank", u"a\tb\r\nc  d\r\nefg\r\nh i \r\n", u"",
     u"acefh"},
    {"later line wins, self-map", u"A A\r\nx y\r\nx z\r\n", u"AAxz", u""},
    {"space as source", u"  X\r\n", u" X", u""},
    {"empty file", u"", u"", u"a"},
    {"a byte that does not decode, as target or source", u"a \xDC81\r\n\xDC81 b\r\n", u"",
     u"a\xDC81"},
};

TEST_F(对照表文件, 行的规则) {
    for (const LineCase& c : kLineCases) {
        SCOPED_TRACE(c.name);
        复位对照表();
        EXPECT_TRUE(load(c.text));
        for (std::size_t i = 0; i + 1 < c.mapped.size(); i += 2)
            EXPECT_EQ(查表(c.mapped[i]), c.mapped[i + 1]);
        for (char16_t unit : c.kept)
            EXPECT_EQ(查表(unit), unit);
    }
}

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

// One mapping line per code unit from U+4E00 on, each mapped to "X".
std::u16string numberedLines(int count) {
    std::u16string text;
    for (int i = 0; i < count; ++i) {
        text += static_cast<char16_t>(0x4E00 + i);
        text += u" X\r\n";
    }
    return text;
}

TEST_F(对照表文件, 开始前和每501行让窗口处理一次事件) {
    int pumps = 0;
    setEventPump([&] { ++pumps; });
    EXPECT_TRUE(load(numberedLines(1001)));
    EXPECT_EQ(pumps, 2);
    pumps = 0;
    EXPECT_TRUE(load(numberedLines(1002)));
    EXPECT_EQ(pumps, 3);
}

TEST_F(对照表文件, 第501行取消时清除标志和选择并返回假) {
    int pumps = 0;
    setEventPump([&] {
        if (++pumps == 2) 取消标志 = true;
    });
    EXPECT_FALSE(load(numberedLines(1000)));
    EXPECT_FALSE(取消标志);
    EXPECT_EQ(window.selectionsCleared, 1);
    EXPECT_EQ(window.captions, std::vector<std::u16string>{u"正在读取内码对照表..."});
    EXPECT_EQ(查表(static_cast<char16_t>(0x4E00 + 499)), u'X');         // line 500 was read
    EXPECT_EQ(查表(static_cast<char16_t>(0x4E00 + 500)), 0x4E00 + 500); // line 501 was not
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
