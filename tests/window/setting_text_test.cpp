#include "window/setting_text.h"

#include <gtest/gtest.h>
#include <limits>

namespace tolvane {
namespace {

TEST(设置文本, 开头数值取文本开头的数) {
    EXPECT_EQ(开头数值(u"5abc"), 5.0);
    EXPECT_EQ(开头数值(u"  -1"), -1.0);
    EXPECT_EQ(开头数值(u"2.5e1x"), 25.0);
    EXPECT_EQ(开头数值(u"7e"), 7.0);
    EXPECT_EQ(开头数值(u".5"), 0.5);
}

TEST(设置文本, 没有数时开头数值为零) {
    EXPECT_EQ(开头数值(u""), 0.0);
    EXPECT_EQ(开头数值(u"abc5"), 0.0);
    EXPECT_EQ(开头数值(u"-"), 0.0);
    EXPECT_EQ(开头数值(u"."), 0.0);
}

TEST(设置文本, 整体数值只认整个文本是数) {
    EXPECT_EQ(整体数值(u"1.0"), 1.0);
    EXPECT_EQ(整体数值(u" 1 "), 1.0);
    EXPECT_EQ(整体数值(u"+2"), 2.0);
    EXPECT_FALSE(整体数值(u"1abc"));
    EXPECT_FALSE(整体数值(u"yes"));
    EXPECT_FALSE(整体数值(u""));
}

TEST(设置文本, 取整时一半取偶并限在32位内) {
    EXPECT_EQ(取整(2.5), 2);
    EXPECT_EQ(取整(3.5), 4);
    EXPECT_EQ(取整(-2.5), -2);
    EXPECT_EQ(取整(2.6), 3);
    EXPECT_EQ(取整(1e12), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(取整(-1e12), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(取整(开头数值(u"1e999")), std::numeric_limits<std::int32_t>::max());
}

TEST(设置文本, 十进制写出整数) {
    EXPECT_EQ(十进制(-1), u"-1");
    EXPECT_EQ(十进制(0), u"0");
    EXPECT_EQ(十进制(5348), u"5348");
}

} // namespace
} // namespace tolvane
