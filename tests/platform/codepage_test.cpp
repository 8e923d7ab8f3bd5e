#include "platform/codepage.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

std::vector<std::uint8_t> bytesOf(std::initializer_list<int> values) {
    std::vector<std::uint8_t> bytes;
    for (int value : values)
        bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

// Stray bytes included; the file-lists fuzz target tries longer runs.
TEST(代码页936, 每个单独的字节和每个有效双字节序列逐字节往返) {
    for (int byte = 0; byte < 256; ++byte)
        ASSERT_EQ(encodeOem(decodeOem(bytesOf({byte}))), bytesOf({byte})) << byte;
    int valid = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const auto pair = bytesOf({lead, trail});
            const std::u16string text = decodeOem(pair);
            if (text.size() != 1 || (text[0] >= 0xDC80 && text[0] <= 0xDCFF)) continue;
            ++valid;
            ASSERT_EQ(encodeOem(text), pair) << std::hex << lead << ' ' << trail;
        }
    }
    EXPECT_GT(valid, 21000);
}

TEST(代码页936, 常见字符按代码页解码和编码) {
    EXPECT_EQ(decodeOem(bytesOf({0xBA, 0xBA, 'A', '\r', '\n'})), u"汉A\r\n");
    EXPECT_EQ(encodeOem(u"汉A\r\n"), bytesOf({0xBA, 0xBA, 'A', '\r', '\n'}));
    EXPECT_EQ(decodeOem(bytesOf({0x80})), u"€");
}

TEST(代码页936, 无效字节逐个保留并原样写回) {
    // 0xFF is never valid; 0x81 followed by a space is a lead byte without its trail;
    // a lead byte at the very end has no trail at all.
    const auto stray = bytesOf({0xFF, 'a', 0x81, ' ', 0xBA, 0xBA, 0x81});
    const std::u16string text = decodeOem(stray);
    EXPECT_EQ(text, (std::u16string{0xDCFF, u'a', 0xDC81, u' ', u'汉', 0xDC81}));
    EXPECT_EQ(encodeOem(text), stray);
}

// Both systems agree on the code page without GBK's user-defined areas, which
// only Windows maps (to the Private Use Area).
TEST(代码页936, 用户自定义区的字节按无效字节保留) {
    const auto userDefined = bytesOf({0xAA, 0xA1, 'a', 0xF8, 0xFE});
    const std::u16string text = decodeOem(userDefined);
    EXPECT_EQ(text, (std::u16string{0xDCAA, 0xDCA1, u'a', 0xDCF8, 0xDCFE}));
    EXPECT_EQ(encodeOem(text), userDefined);
    EXPECT_EQ(encodeOem(std::u16string{0xE000, 0xF8F5}), bytesOf({'0', '0'}));
}

TEST(代码页936, 无法表示的代码单元写成字符0) {
    EXPECT_EQ(encodeOem(u"가"), bytesOf({'0'}));
    EXPECT_EQ(encodeOem(std::u16string{u'x', char16_t{0xD800}, u'y'}), bytesOf({'x', '0', 'y'}));
}

TEST(代码页936, 写入调用方缓冲区的版本替换其内容) {
    std::vector<char16_t> units(10, u'x');
    decodeOemInto(bytesOf({'a', 0xBA, 0xBA}), units);
    EXPECT_EQ(units, (std::vector<char16_t>{u'a', u'汉'}));
    std::vector<std::uint8_t> bytes(10, 1);
    encodeOemInto(units, bytes);
    EXPECT_EQ(bytes, bytesOf({'a', 0xBA, 0xBA}));
    // A character across the decoder's 32768-byte step stays one character.
    std::vector<std::uint8_t> across(32769, 0xBA);
    std::fill_n(across.begin(), 32767, 'a');
    decodeOemInto(across, units);
    EXPECT_EQ(units.size(), 32768U);
    EXPECT_EQ(units.back(), u'汉');
}

} // namespace
} // namespace tolvane
