#include "engine/textfile.h"
#include "engine_test_support.h"
#include "platform/error.h"

#include <gtest/gtest.h>

namespace tolvane::testing {
namespace {

// "汉字" in code page 936 with both kinds of line end and a stray byte.
constexpr std::string_view kSample = "\xBA\xBA\xD7\xD6 text\r\nnext\nlast\xFF";

TEST(文本文件, 读出再写回逐字节不变) {
    ScratchFolder folder;
    writeBytes(folder / u"in.txt", kSample);
    std::u16string in = folder / u"in.txt";
    std::u16string out = folder / u"out.txt";
    std::vector<char16_t> text;
    读文本文件(in, text);
    EXPECT_EQ(text.size(), 19U);
    EXPECT_EQ(text[0], u'汉');
    写文本文件(out, text);
    EXPECT_EQ(readBytes(out), kSample);
}

TEST(文本文件, 路径两端的空格被去掉并写回调用方变量) {
    ScratchFolder folder;
    writeBytes(folder / u"a.txt", "a");
    std::u16string path = u"  " + (folder / u"a.txt") + u" ";
    std::vector<char16_t> text;
    读文本文件(path, text);
    EXPECT_EQ(path, folder / u"a.txt");
    EXPECT_EQ(text, units(u"a"));
    std::u16string target = u" " + (folder / u"b.txt") + u"  ";
    写文本文件(target, text);
    EXPECT_EQ(target, folder / u"b.txt");
    EXPECT_EQ(readBytes(folder / u"b.txt"), "a");
}

TEST(文本文件, 空文件读出空文本而空文本写出空文件) {
    ScratchFolder folder;
    writeBytes(folder / u"空.txt", "");
    std::u16string path = folder / u"空.txt";
    std::vector<char16_t> text = units(u"old");
    读文本文件(path, text);
    EXPECT_TRUE(text.empty());
    std::u16string target = folder / u"新.txt";
    写文本文件(target, text);
    EXPECT_TRUE(exists(target));
    EXPECT_EQ(readBytes(target), "");
}

TEST(文本文件, 读不到文件时报错且文本不变) {
    ScratchFolder folder;
    std::u16string path = folder / u"无.txt";
    std::vector<char16_t> text = units(u"old");
    EXPECT_THROW(读文本文件(path, text), Error);
    EXPECT_EQ(text, units(u"old"));
}

TEST(文本文件, 代码页无法表示的字符写成0) {
    ScratchFolder folder;
    std::u16string path = folder / u"a.txt";
    写文本文件(path, units(u"a가b"));
    EXPECT_EQ(readBytes(path), "a0b");
}

} // namespace
} // namespace tolvane::testing
