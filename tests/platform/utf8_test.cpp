#include "platform/utf8.h"

#include <gtest/gtest.h>
#include <string>

namespace tolvane {
namespace {

// Round trips of any bytes and of any text are the file-lists fuzz target's;
// these are what the bytes are.
TEST(文件名编码, 有效UTF8解码为字符而无效字节与孤立代理项各有去处) {
    EXPECT_EQ(fromUtf8("a\xE7\xAE\x80\xF0\x9F\x98\x80"), u"a简\xD83D\xDE00");
    EXPECT_EQ(toUtf8(u"a简\xD83D\xDE00"), "a\xE7\xAE\x80\xF0\x9F\x98\x80");
    EXPECT_EQ(fromUtf8("a\x80\xC0\xAF"), u"a\xDC80\xDCC0\xDCAF");
    EXPECT_EQ(toUtf8(u"x\xD800y"), "x\xEF\xBF\xBDy");
}

} // namespace
} // namespace tolvane
