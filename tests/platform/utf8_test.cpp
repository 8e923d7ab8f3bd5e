#include "platform/utf8.h"

#include <gtest/gtest.h>
#include <string>

namespace tolvane {
namespace {

TEST(文件名编码, 有效UTF8往返不变) {
    const std::string name = "/tmp/abc-XYZ_09/简体到繁体 .txt \xF0\x9F\x98\x80";
    const std::u16string text = fromUtf8(name);
    EXPECT_EQ(text.substr(0, 15), u"/tmp/abc-XYZ_09");
    EXPECT_EQ(text.substr(16, 5), u"简体到繁体");
    EXPECT_EQ(text.substr(text.size() - 2), u"\xD83D\xDE00");
    EXPECT_EQ(toUtf8(text), name);
}

TEST(文件名编码, 无效字节保留为保留码元并原样写回) {
    // A lone continuation byte, a GBK name, a truncated sequence, an overlong
    // form and an encoded surrogate: none of them is UTF-8.
    const std::string bytes = "a\x80"
                              "b\xBC\xF2\xCC\xE5"
                              "\xE4\xB8"
                              "\xC0\xAF"
                              "\xED\xA0\x80";
    const std::u16string text = fromUtf8(bytes);
    EXPECT_EQ(text[0], u'a');
    EXPECT_EQ(text[1], char16_t{0xDC80});
    EXPECT_EQ(text[2], u'b');
    EXPECT_EQ(text[3], char16_t{0xDCBC});
    EXPECT_EQ(toUtf8(text), bytes);
}

TEST(文件名编码, 孤立代理项写成替换字符) {
    EXPECT_EQ(toUtf8(u"x\xD800y"), "x\xEF\xBF\xBDy");
}

} // namespace
} // namespace tolvane
