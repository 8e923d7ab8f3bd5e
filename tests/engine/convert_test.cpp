#include "engine/convert.h"
#include "engine/state.h"
#include "engine/table.h"
#include "engine_test_support.h"

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

// Surrogates included: every code unit is looked up on its own.
TEST_F(转换, 每一个代码单元按表替换) {
    auto all = everyUnit();
    EXPECT_FALSE(转换内码(all));
    EXPECT_EQ(all, everyUnit());
    for (unsigned unit = 0; unit < 65536; ++unit)
        设置对照(static_cast<char16_t>(unit), permuted(static_cast<char16_t>(unit)));
    EXPECT_FALSE(转换内码(all));
    for (unsigned unit = 0; unit < 65536; ++unit)
        ASSERT_EQ(all[unit], permuted(static_cast<char16_t>(unit))) << unit;
}

// On a worker the cancel is seen after the current unit; in line, at the window's turns.
TEST_F(转换, 取消在当前代码单元之后停下并清除标志) {
    设置对照(u'a', u'b');
    std::vector<char16_t> text(5, u'a');
    取消标志 = true;
    EXPECT_TRUE(转换内码(text));
    EXPECT_FALSE(取消标志);
    EXPECT_EQ(text, units(u"baaaa"));
    使用多线程 = false;
    int pumps = 0;
    setEventPump([&] {
        if (++pumps == 2) 取消标志 = true;
    });
    text.assign(3000, u'a');
    EXPECT_TRUE(转换内码(text));
    EXPECT_EQ(std::count(text.begin(), text.end(), u'b'), 1001);
    EXPECT_EQ(text[1000], u'b');
}

struct BytesCase {
    const char* name;
    std::vector<std::uint8_t> in;
    bool cancel;
    std::vector<std::uint8_t> out;
};

// The table maps a to b and 汉 (U+6C49) to 漢 (U+6F22).
const BytesCase kBytesCases[] = {
    {"low byte first", {0x49, 0x6C, 'a', 0}, false, {0x22, 0x6F, 'b', 0}},
    {"odd last byte dropped", {'a', 0, 'a', 0, 0x7F}, false, {'b', 0, 'b', 0}},
    {"one byte kept", {0x41}, false, {0x41}},
    {"empty", {}, false, {}},
    {"cancel keeps the rest", {'a', 0, 'a', 0, 'a', 0}, true, {'b', 0, 'a', 0, 'a', 0}}};

TEST_F(转换, 字节缓冲区) {
    设置对照(u'a', u'b');
    设置对照(u'汉', u'漢');
    for (const BytesCase& c : kBytesCases) {
        std::vector<std::uint8_t> bytes = c.in;
        取消标志 = c.cancel;
        EXPECT_EQ(转换字节(bytes), c.cancel) << c.name;
        EXPECT_EQ(bytes, c.out) << c.name;
    }
}

} // namespace
} // namespace tolvane::testing
