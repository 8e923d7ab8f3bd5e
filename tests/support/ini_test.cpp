#include "common/scratch_folder.h"
#include "platform/error.h"
#include "support/ini.h"

#include <gtest/gtest.h>

namespace tolvane::testing {
namespace {

// The settings folder does not exist yet: the first write makes it.
class INI设置 : public ::testing::Test {
  protected:
    void SetUp() override {
        设置INI文件(u"Tolvane", u"窗体位置", (folder_.path() / "config").u16string());
    }
    ScratchFolder folder_;
    std::filesystem::path file_ = folder_.path() / "config" / "Tolvane.ini";
};

TEST_F(INI设置, 写出的文件是936字节且再次写出时就地改写) {
    INI属性写入(u"状态", u"0");
    INI属性写入(u"X", u"-120");
    INI属性写入(u"使用多线程", u"1", u"个人设置");
    const std::string expected = "[\xb4\xb0\xcc\xe5\xce\xbb\xd6\xc3]\r\n" // 窗体位置
                                 "\xd7\xb4\xcc\xac=0\r\n"                 // 状态
                                 "X=-120\r\n"
                                 "[\xb8\xf6\xc8\xcb\xc9\xe8\xd6\xc3]\r\n"          // 个人设置
                                 "\xca\xb9\xd3\xc3\xb6\xe0\xcf\xdf\xb3\xcc=1\r\n"; // 使用多线程
    EXPECT_EQ(readBytes(file_), expected);
    INI属性写入(u"X", u"45");
    std::string rewritten = expected;
    rewritten.replace(rewritten.find("X=-120"), 6, "X=45");
    EXPECT_EQ(readBytes(file_), rewritten);
    EXPECT_EQ(INI属性读出(u"X"), u"45");
    EXPECT_EQ(INI属性读出(u"使用多线程", u"", u"个人设置"), u"1");
}

TEST_F(INI设置, 空值和缺少的键都读作默认值而值截至空字符且长值截成整字) {
    EXPECT_EQ(INI属性读出(u"X", u"d"), u"d");
    INI属性写入(u"X", u"");
    EXPECT_EQ(INI属性读出(u"X", u"d"), u"d");
    EXPECT_EQ(截至空字符(std::u16string(u"ab\0cd", 5)), u"ab");
    EXPECT_EQ(截至空字符(u"abc"), u"abc");
    // A long value is read back cut at 254 bytes, without half a character.
    INI属性写入(u"X", std::u16string(300, u'a'));
    EXPECT_EQ(INI属性读出(u"X"), std::u16string(254, u'a'));
    INI属性写入(u"X", std::u16string(253, u'a') + u"中");
    EXPECT_EQ(INI属性读出(u"X"), std::u16string(253, u'a'));
}

TEST_F(INI设置, 写不进时报错且已有文件不变) {
    INI属性写入(u"X", u"1");
    const std::string before = readBytes(file_);
    try {
        INI属性写入(u"k", u"v\r\nX=2"); // would break the line structure
        FAIL() << "the write succeeded";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), kIniWriteFailed);
        EXPECT_NE(error.description().find(file_.u16string()), std::u16string::npos);
    }
    EXPECT_EQ(readBytes(file_), before);
}

// A number in the text within the bounds (either order), else the fallback
// pulled into the bounds: text, low, high, fallback, result.
constexpr std::tuple<std::u16string_view, float, float, float, float> kRangeCases[] = {
    {u"7", 10, 0, 5, 7},     {u"12", 10, 0, 5, 5},  {u"x", 10, 0, 5, 5},
    {u"x", 10, 0, 20, 0},    {u"10", 10, 0, 5, 10}, {u" -1.5e1 ", -100, 100, 0, -15},
    {u"+.5", -1, 1, 0, 0.5}, {u"3.", -5, 5, 0, 3},  {u"5abc", -9, 9, 1, 1},
    {u"1e999", -9, 9, 1, 1}};

TEST(范围内数值, 文本值) {
    for (const auto& [text, low, high, fallback, result] : kRangeCases)
        EXPECT_EQ(范围内数值(std::u16string(text), low, high, fallback), result)
            << std::string(text.begin(), text.end());
    EXPECT_EQ(范围内数值(-0.5, 0, 1, 1), 1.0F);
    EXPECT_EQ(范围内数值(3.0, 3, 3, 9), 3.0F);
}

} // namespace
} // namespace tolvane::testing
