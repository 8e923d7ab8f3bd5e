#include "window/setting_text.h"

#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace tolvane {
namespace {

struct NumberCase {
    std::u16string_view text;
    double leading;              // 开头数值: the number the text starts with, else 0
    std::optional<double> whole; // 整体数值: only when the whole text is a number
};

const NumberCase kNumbers[] = {
    {u"5abc", 5, {}}, {u"  -1", -1, -1}, {u"2.5e1x", 25, {}}, {u"7e", 7, {}}, {u".5", 0.5, 0.5},
    {u" 1 ", 1, 1},   {u"+2", 2, 2},     {u"1.0", 1, 1},      {u"", 0, {}},   {u"abc5", 0, {}},
    {u"-", 0, {}},    {u".", 0, {}},     {u"yes", 0, {}}};

TEST(设置文本, 开头数值和整体数值) {
    for (const NumberCase& c : kNumbers) {
        const std::string name(c.text.begin(), c.text.end()); // ASCII cases only
        EXPECT_EQ(开头数值(std::u16string(c.text)), c.leading) << name;
        EXPECT_EQ(整体数值(std::u16string(c.text)), c.whole) << name;
    }
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

} // namespace
} // namespace tolvane
