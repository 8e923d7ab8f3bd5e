#include "platform/error.h"
#include "support/ini.h"
#include "temp_folder.h"
#include "tests/native_path.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace tolvane {
namespace {

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class INI设置 : public testing::Test {
  protected:
    TempFolder folder_;
    std::filesystem::path file_ = folder_.path() / "Tolvane.ini";
};

void writeFirstShutDown(const std::u16string& folder, const std::u16string& x) {
    设置INI文件(u"Tolvane", u"窗体位置", folder);
    INI属性写入(u"状态", u"0");
    INI属性写入(u"X", x);
    INI属性写入(u"Y", u"300");
    设置INI文件(u"Tolvane", u"个人设置", folder);
    INI属性写入(u"使用多线程", u"1");
    INI属性写入(u"提示使用拖放操作", u"-1");
}

TEST_F(INI设置, 首次关闭写出的文件按顺序且为936字节) {
    writeFirstShutDown(folder_.text(), u"-120");
    const std::string expected =
        "[\xb4\xb0\xcc\xe5\xce\xbb\xd6\xc3]\r\n" // 窗体位置
        "\xd7\xb4\xcc\xac=0\r\n"                 // 状态
        "X=-120\r\nY=300\r\n"
        "[\xb8\xf6\xc8\xcb\xc9\xe8\xd6\xc3]\r\n"         // 个人设置
        "\xca\xb9\xd3\xc3\xb6\xe0\xcf\xdf\xb3\xcc=1\r\n" // 使用多线程
        "\xcc\xe1\xca\xbe\xca\xb9\xd3\xc3\xcd\xcf\xb7\xc5\xb2\xd9\xd7\xf7=-1\r\n";
    EXPECT_EQ(readBytes(file_), expected);
}

TEST_F(INI设置, 再次关闭就地改写并能读回) {
    writeFirstShutDown(folder_.text(), u"-120");
    const std::string first = readBytes(file_);
    writeFirstShutDown(folder_.text(), u"45");
    std::string expected = first;
    expected.replace(expected.find("X=-120"), 6, "X=45");
    EXPECT_EQ(readBytes(file_), expected);
    设置INI文件(u"Tolvane", u"窗体位置", folder_.text());
    EXPECT_EQ(INI属性读出(u"X"), u"45");
    EXPECT_EQ(INI属性读出(u"提示使用拖放操作", u"", u"个人设置"), u"-1");
}

TEST_F(INI设置, 空值和缺少的键都读作默认值) {
    设置INI文件(u"Tolvane", u"窗体位置", folder_.text());
    EXPECT_EQ(INI属性读出(u"X", u"d"), u"d");
    INI属性写入(u"X", u"");
    EXPECT_EQ(INI属性读出(u"X", u"d"), u"d");
    EXPECT_EQ(INI属性读出(u"X"), u"");
}

TEST_F(INI设置, 三百字节的值读出前254字节) {
    设置INI文件(u"Tolvane", u"s", folder_.text());
    std::u16string value;
    for (int i = 0; i < 150; ++i)
        value += u"值"; // two bytes each in code page 936
    INI属性写入(u"长", value);
    EXPECT_EQ(INI属性读出(u"长"), value.substr(0, 127));
}

TEST_F(INI设置, 显式小节不用默认小节) {
    设置INI文件(u"Tolvane", u"甲", folder_.text());
    INI属性写入(u"k", u"默认小节的值");
    INI属性写入(u"k", u"乙小节的值", u"乙");
    EXPECT_EQ(INI属性读出(u"k"), u"默认小节的值");
    EXPECT_EQ(INI属性读出(u"k", u"", u"乙"), u"乙小节的值");
}

TEST_F(INI设置, 空应用名用Appname) {
    设置INI文件(u"", u"", folder_.text());
    INI属性写入(u"k", u"v");
    EXPECT_EQ(readBytes(folder_.path() / "Appname.ini"), "[Appname]\r\nk=v\r\n");
}

TEST(INI文件路径, 根文件夹只有一个分隔符) {
    EXPECT_EQ(INI文件路径(native(u"/"), u"Tolvane"), native(u"/Tolvane.ini"));
    EXPECT_EQ(INI文件路径(native(u"/opt/程序"), u"Tolvane"), native(u"/opt/程序/Tolvane.ini"));
}

void expectWriteFailure() {
    try {
        INI属性写入(u"k", u"v");
        FAIL() << "the write succeeded";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), kIniWriteFailed);
        EXPECT_EQ(error.description(), u"INI模块.INI属性写入.写入INI文件");
    }
}

TEST_F(INI设置, 无法建文件的文件夹引发错误) {
    std::ofstream(folder_.path() / "plain-file") << "x";
    设置INI文件(u"Tolvane", u"s", (folder_.path() / "plain-file" / "sub").u16string());
    expectWriteFailure();
}

TEST_F(INI设置, 写失败时已有文件不变) {
    writeFirstShutDown(folder_.text(), u"-120");
    const std::string before = readBytes(file_);
    std::filesystem::create_directory(folder_.path() / "Tolvane.ini.tmp");
    expectWriteFailure();
    EXPECT_EQ(readBytes(file_), before);
}

TEST(范围内数值, 文本值) {
    EXPECT_EQ(范围内数值(u"7", 10, 0, 5), 7.0F);
    EXPECT_EQ(范围内数值(u"12", 10, 0, 5), 5.0F);
    EXPECT_EQ(范围内数值(u"x", 10, 0, 5), 5.0F);
    EXPECT_EQ(范围内数值(u"x", 10, 0, 20), 0.0F);
    EXPECT_EQ(范围内数值(u"10", 10, 0, 5), 10.0F);
    EXPECT_EQ(范围内数值(u"", 10, 0, 5), 5.0F);
}

TEST(范围内数值, 数字写法) {
    EXPECT_EQ(范围内数值(u" -1.5e1 ", -100, 100, 0), -15.0F);
    EXPECT_EQ(范围内数值(u"+.5", -1, 1, 0), 0.5F);
    EXPECT_EQ(范围内数值(u"3.", -5, 5, 0), 3.0F);
    EXPECT_EQ(范围内数值(u"1.2.3", -5, 5, 0), 0.0F);
    EXPECT_EQ(范围内数值(u"5abc", -9, 9, 1), 1.0F);
    EXPECT_EQ(范围内数值(u"1e", -9, 9, 1), 1.0F);
    EXPECT_EQ(范围内数值(u"-", -9, 9, 1), 1.0F);
    EXPECT_EQ(范围内数值(u"1e999", -9, 9, 1), 1.0F);
}

TEST(范围内数值, 数值参数与相等的界) {
    EXPECT_EQ(范围内数值(7.0, 10, 0, 5), 7.0F);
    EXPECT_EQ(范围内数值(-0.5, 0, 1, 1), 1.0F);
    EXPECT_EQ(范围内数值(3.0, 3, 3, 9), 3.0F);
}

TEST(截至空字符, 第一个空字符之前) {
    EXPECT_EQ(截至空字符(std::u16string(u"ab\0cd", 5)), u"ab");
    EXPECT_EQ(截至空字符(u"abc"), u"abc");
    EXPECT_EQ(截至空字符(std::u16string(1, u'\0')), u"");
}

} // namespace
} // namespace tolvane
