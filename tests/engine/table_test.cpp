#include "engine/state.h"
#include "engine/table.h"
#include "platform/codepage.h"
#include "tests/engine/engine_test_support.h"

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
    TempFolder folder;
    std::u16string file = folder / u"简繁.txt";
    FakeWindow window;
};

TEST_F(对照表文件, 行以回车或回车换行结束) {
    EXPECT_TRUE(load(u"a b\rc d\r\ne f"));
    EXPECT_EQ(查表(u'a'), u'b');
    EXPECT_EQ(查表(u'c'), u'd');
    EXPECT_EQ(查表(u'e'), u'f');
}

TEST_F(对照表文件, 汉字按代码页936读入) {
    EXPECT_TRUE(load(u"汉 漢\r\n"));
    EXPECT_EQ(查表(u'汉'), u'漢');
}

TEST_F(对照表文件, 只有换行的文件是一整行不对照任何字符) {
    EXPECT_TRUE(load(u"a b\nc d\n"));
    EXPECT_EQ(查表(u'a'), u'a');
    EXPECT_EQ(查表(u'c'), u'c');
}

TEST_F(对照表文件, 制表符双空格三字母和尾随空白的行被跳过) {
    EXPECT_TRUE(load(u"a\tb\r\nc  d\r\nefg\r\nh i \r\n"));
    for (char16_t unit : u"acefh")
        EXPECT_EQ(查表(unit), unit);
}

TEST_F(对照表文件, 自己对照自己不变且后出现的行为准) {
    EXPECT_TRUE(load(u"A A\r\nx y\r\nx z\r\n"));
    EXPECT_EQ(查表(u'A'), u'A');
    EXPECT_EQ(查表(u'x'), u'z');
}

TEST_F(对照表文件, 空格可以作为源字符) {
    EXPECT_TRUE(load(u"  X\r\n"));
    EXPECT_EQ(查表(u' '), u'X');
}

TEST_F(对照表文件, 空文件载入成功且对照表保持恒等) {
    EXPECT_TRUE(load(u""));
    EXPECT_EQ(查表(u'a'), u'a');
    EXPECT_EQ(window.captions,
              (std::vector<std::u16string>{u"正在读取内码对照表...", u"读取内码对照表完成！"}));
}

TEST_F(对照表文件, 文件不存在时失败且标题不变) {
    EXPECT_FALSE(载入对照表文件(folder / u"没有.txt", window));
    EXPECT_TRUE(window.captions.empty());
}

TEST_F(对照表文件, 载入不复位对照表) {
    设置对照(u'q', u'r');
    EXPECT_TRUE(load(u"a b\r\n"));
    EXPECT_EQ(查表(u'q'), u'r');
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
