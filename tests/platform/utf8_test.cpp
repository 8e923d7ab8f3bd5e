#include "platform/utf8.h"

#include <gtest/gtest.h>
#include <string>

namespace tolvane {
namespace {

// Any bytes surviving the round trip is the UTF-8 fuzz target's;
// these are what the bytes are.
TEST(文件名编码, 有效UTF8解码为字符而无效字节与孤立代理项各有去处) {
    EXPECT_EQ(fromUtf8("a\xE7\xAE\x80\xF0\x9F\x98\x80"), u"a简\xD83D\xDE00");
    EXPECT_EQ(toUtf8(u"a简\xD83D\xDE00"), "a\xE7\xAE\x80\xF0\x9F\x98\x80");
    EXPECT_EQ(fromUtf8("a\x80\xC0\xAF"), u"a\xDC80\xDCC0\xDCAF");
    EXPECT_EQ(toUtf8(u"x\xD800y"), "x\xEF\xBF\xBDy");
    EXPECT_EQ(toUtf8(u"\U00010080"), "\xF0\x90\x82\x80"); // its DC80 is no stray byte
}

} // namespace
} // namespace tolvane
