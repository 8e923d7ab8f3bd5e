#include "engine/convert.h"
#include "engine/state.h"
#include "engine/table.h"
#include "tests/engine/engine_test_support.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>

namespace tolvane::testing {
namespace {

using 转换 = EngineTest;

std::vector<char16_t> everyUnit() {
    std::vector<char16_t> all(65536);
    std::iota(all.begin(), all.end(), char16_t{0});
    return all;
}

char16_t permuted(char16_t unit) {
    return static_cast<char16_t>(unit * 40503u + 12345u);
}

TEST_F(转换, 恒等表不改变任何代码单元) {
    auto all = everyUnit();
    EXPECT_FALSE(转换内码(all));
    EXPECT_EQ(all, everyUnit());
}

TEST_F(转换, 置换表换掉每一个代码单元) {
    for (unsigned unit = 0; unit < 65536; ++unit)
        设置对照(static_cast<char16_t>(unit), permuted(static_cast<char16_t>(unit)));
    auto all = everyUnit();
    EXPECT_FALSE(转换内码(all));
    for (unsigned unit = 0; unit < 65536; ++unit)
        ASSERT_EQ(all[unit], permuted(static_cast<char16_t>(unit))) << unit;
}

TEST_F(转换, 代理对按两个独立代码单元查表) {
    设置对照(0xD83D, 0xD83E);
    auto text = units(u"😀");
    转换内码(text);
    EXPECT_EQ(text, (std::vector<char16_t>{0xD83E, 0xDE00}));
}

class 让出次数 : public EngineTest {
  protected:
    int pumpsFor(std::size_t count) {
        int pumps = 0;
        setEventPump([&] { ++pumps; });
        std::vector<char16_t> text(count, u'a');
        转换内码(text);
        return pumps;
    }
};

TEST_F(让出次数, 不用多线程时开始一次且每1001个代码单元一次) {
    使用多线程 = false;
    EXPECT_EQ(pumpsFor(0), 1);
    EXPECT_EQ(pumpsFor(1000), 1);
    EXPECT_EQ(pumpsFor(1001), 2);
    EXPECT_EQ(pumpsFor(2002), 3);
}

TEST_F(让出次数, 用多线程时从不让出) {
    EXPECT_EQ(pumpsFor(5000), 0);
}

TEST_F(转换, 取消在当前代码单元之后停下并清除标志) {
    设置对照(u'a', u'b');
    std::vector<char16_t> text(5, u'a');
    取消标志 = true;
    EXPECT_TRUE(转换内码(text));
    EXPECT_FALSE(取消标志);
    EXPECT_EQ(text, units(u"baaaa"));
}

TEST_F(转换, 不用多线程时在让出处收到的取消留下部分转换的文本) {
    使用多线程 = false;
    设置对照(u'a', u'b');
    int pumps = 0;
    setEventPump([&] {
        if (++pumps == 2) 取消标志 = true;
    });
    std::vector<char16_t> text(3000, u'a');
    EXPECT_TRUE(转换内码(text));
    EXPECT_EQ(std::count(text.begin(), text.end(), u'b'), 1001);
    EXPECT_EQ(text[1000], u'b');
    EXPECT_EQ(text[1001], u'a');
}

TEST_F(转换, 字节缓冲区取消后是已转换的开头加未转换的其余部分) {
    设置对照(u'a', u'b');
    std::vector<std::uint8_t> bytes{'a', 0, 'a', 0, 'a', 0};
    取消标志 = true;
    EXPECT_TRUE(转换字节(bytes));
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{'b', 0, 'a', 0, 'a', 0}));
}

TEST_F(转换, 字节缓冲区按低字节在前转换) {
    设置对照(u'汉', u'漢');
    std::vector<std::uint8_t> bytes{0x49, 0x6C}; // U+6C49
    EXPECT_FALSE(转换字节(bytes));
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0x22, 0x6F})); // U+6F22
}

TEST_F(转换, 奇数长度的字节缓冲区丢掉最后一个字节) {
    设置对照(u'a', u'b');
    std::vector<std::uint8_t> bytes{'a', 0, 'a', 0, 0x7F};
    EXPECT_FALSE(转换字节(bytes));
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{'b', 0, 'b', 0}));
}

TEST_F(转换, 少于两个字节的缓冲区不变且不算取消) {
    std::vector<std::uint8_t> one{0x41};
    EXPECT_FALSE(转换字节(one));
    EXPECT_EQ(one, std::vector<std::uint8_t>{0x41});
    std::vector<std::uint8_t> none;
    EXPECT_FALSE(转换字节(none));
    EXPECT_TRUE(none.empty());
}

TEST_F(转换, 块复制在空输入时保留目标原样) {
    std::vector<char16_t> text = units(u"keep");
    字节转内码({0x41}, text);
    EXPECT_EQ(text, units(u"keep"));
    std::vector<std::uint8_t> bytes{1, 2, 3};
    内码转字节({}, bytes);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 2, 3}));
    内码转字节(units(u"A"), bytes);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0x41, 0}));
}

} // namespace
} // namespace tolvane::testing
