#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::initializer_list<int> values) {
    Bytes bytes;
    for (int value : values)
        bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

std::u16string decoded(CodePage page, const Bytes& bytes) {
    std::u16string units;
    EXPECT_EQ(decodeCodePage(page, bytes, true, units), bytes.size());
    return units;
}

Bytes encoded(CodePage page, std::u16string_view units) {
    Bytes bytes;
    EXPECT_EQ(encodeCodePage(page, units, bytes), units.size());
    return bytes;
}

constexpr CodePage kPages[] = {CodePage::Gbk, CodePage::Big5, CodePage::Gb18030};

// Stray bytes included; the code page fuzz targets try longer runs.
TEST(代码页, 每个单字节和每个有效的双字节和四字节序列解码后编码回原样) {
    const int kMinimumPairs[] = {21000, 13000, 23000};
    for (const CodePage page : kPages) {
        for (int byte = 0; byte <= 0xFF; ++byte)
            ASSERT_EQ(encoded(page, decoded(page, bytesOf({byte}))), bytesOf({byte})) << byte;
        int valid = 0;
        for (int lead = 0x80; lead <= 0xFF; ++lead) {
            for (int trail = 0; trail <= 0xFF; ++trail) {
                const auto pair = bytesOf({lead, trail});
                std::u16string text;
                if (decodeCharacter(page, pair, true, text) != 2) continue;
                ++valid;
                // Only a character with two forms (not in 936) may come back in its other one.
                const Bytes back = encoded(page, text);
                ASSERT_TRUE(back == pair || (page != CodePage::Gbk && decoded(page, back) == text))
                    << lead << ' ' << trail;
            }
        }
        EXPECT_GT(valid, kMinimumPairs[static_cast<int>(page)]);
    }
    int fourByte = 0;
    for (int index = 0; index < 39420; ++index) {
        const auto four = bytesOf({0x81 + index / 12600, 0x30 + index / 1260 % 10,
                                   0x81 + index / 10 % 126, 0x30 + index % 10});
        const std::u16string text = decoded(CodePage::Gb18030, four);
        if (text.size() != 1) continue;
        ++fourByte;
        ASSERT_EQ(encoded(CodePage::Gb18030, text), four) << index;
    }
    EXPECT_GT(fourByte, 39000);
}

// A lead byte that begins no character with the bytes after it is one stray
// byte, kept and written back as it was; the next byte is read afresh.
TEST(代码页, 字符和无效字节按各代码页解码和编码) {
    struct Case {
        CodePage page;
        Bytes bytes;
        std::u16string units;
        Bytes encoded; // when not the bytes themselves
    };
    const Case cases[] = {
        {CodePage::Gbk, bytesOf({0xBA, 0xBA, 'A', '\r', '\n', 0x80}), u"汉A\r\n€", {}},
        {CodePage::Big5, bytesOf({0xA4, 0xA4, 0xA4, 0xE5, 0xA1, 0x41, 0x80}), u"中文，\u0080", {}},
        // The numeral 十 written twice in Big5; it goes back in the form iconv writes.
        {CodePage::Big5, bytesOf({0xA2, 0xCC}), u"十", bytesOf({0xA4, 0x51})},
        {CodePage::Gb18030, bytesOf({0xBA, 0xBA, 0xA2, 0xE3}), u"汉€", {}},
        {CodePage::Gb18030,
         bytesOf({0x81, 0x30, 0x81, 0x30, 0x84, 0x31, 0xA4, 0x39}),
         u"\u0080\uFFFF",
         {}},
        {CodePage::Gb18030,
         bytesOf({0x90, 0x30, 0x81, 0x30, 0xE3, 0x32, 0x9A, 0x35}),
         u"\U00010000\U0010FFFF",
         {}},
        // U+10080's low surrogate is DC80, which alone would be the stray byte 0x80.
        {CodePage::Gb18030, bytesOf({0x90, 0x30, 0x8D, 0x38}), u"\U00010080", {}},
        {CodePage::Gb18030, bytesOf({0xFE, 0x51}), u"\U00020087", {}},
        {CodePage::Gb18030, bytesOf({0x95, 0x32, 0x90, 0x31}), u"\U00020087",
         bytesOf({0xFE, 0x51})},
        {CodePage::Gbk,
         bytesOf({0xFF, 'a', 0x81, ' ', 0xBA, 0xBA, 0x81}),
         {0xDCFF, u'a', 0xDC81, u' ', u'汉', 0xDC81},
         {}},
        // GBK's user-defined areas, which only Windows maps, are stray bytes on both systems.
        {CodePage::Gbk,
         bytesOf({0xAA, 0xA1, 'a', 0xF8, 0xFE}),
         {0xDCAA, 0xDCA1, u'a', 0xDCF8, 0xDCFE},
         {}},
        {CodePage::Big5,
         bytesOf({0xFF, 0x81, 0x40, 0xA4, 0x30}),
         {0xDCFF, 0xDC81, u'@', 0xDCA4, u'0'},
         {}},
        {CodePage::Gb18030, bytesOf({0x80, 0xFF, 0xBA, 0xBA}), {0xDC80, 0xDCFF, u'汉'}, {}},
        // Past U+FFFF's sequence, past U+10FFFF's, a bad third byte, a cut end.
        {CodePage::Gb18030,
         bytesOf({0x84, 0x31, 0xA5, 0x30, ' ', 0xE3, 0x32, 0x9A, 0x36, ' ', 0x81, 0x30, 0xFF, 0x30,
                  ' ', 0x81, 0x30, 0x81}),
         {0xDC84, u'1', 0xDCA5, u'0', u' ', 0xDCE3, u'2', 0xDC9A, u'6', u' ', 0xDC81, u'0', 0xDCFF,
          u'0', u' ', 0xDC81, u'0', 0xDC81},
         {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decoded(c.page, c.bytes), c.units) << c.units.size();
        EXPECT_EQ(encoded(c.page, c.units), c.encoded.empty() ? c.bytes : c.encoded);
    }
}

// Any cut gives what the whole text gives, the bytes of a cut character carried
// into the next piece.
TEST(代码页, 在任意位置切开的字符带入下一段) {
    const Bytes text = bytesOf({'a',  0xBA, 0xBA, 0x81, 0x30, 0x81, 0x30, 0x90, 0x30, 0x8D,
                                0x38, 0xFE, 0x51, 0x81, 0x30, 0x81, 'b',  0xA4, 0xA4, 0x81});
    for (const CodePage page : kPages) {
        const std::u16string whole = decoded(page, text);
        for (std::size_t cut = 0; cut <= text.size(); ++cut) {
            std::u16string units;
            const std::size_t used = decodeCodePage(page, {text.data(), cut}, false, units);
            EXPECT_LE(cut - used, page == CodePage::Gb18030 ? 3U : 1U) << cut;
            const std::span rest(text.begin() + static_cast<long>(used), text.end());
            EXPECT_EQ(decodeCodePage(page, rest, true, units), rest.size());
            EXPECT_EQ(units, whole) << static_cast<int>(page) << ' ' << cut;
        }
    }
}

TEST(代码页, 编码在第一个代码页无法表示的字符处停下) {
    struct Case {
        CodePage page;
        std::u16string units;
        std::size_t first; // the first unit the code page cannot hold
    };
    const Case cases[] = {
        {CodePage::Gbk, u"a가", 1},
        {CodePage::Gbk, u"a\U00010080", 1}, // not a stray byte after its high surrogate
        {CodePage::Big5, u"中文汉字", 2},
        {CodePage::Gb18030, {u'a', 0xD800, u'b'}, 1},
        {CodePage::Gb18030, {0xDC80, 0xDBFF}, 1},
    };
    for (const Case& c : cases) {
        Bytes bytes;
        EXPECT_EQ(firstUnencodable(c.page, c.units), c.first) << c.first;
        EXPECT_EQ(encodeCodePage(c.page, c.units, bytes), c.first);
        EXPECT_EQ(bytes, encoded(c.page, std::u16string_view(c.units).substr(0, c.first)));
    }
}

// The system code pages' callers get a stand-in rather than a refusal.
TEST(代码页936, 无法表示的代码单元写成字符0) {
    EXPECT_EQ(encodeOem(u"가"), bytesOf({'0'}));
    EXPECT_EQ(encodeOem(std::u16string{u'x', 0xD800, u'y', 0xE000}), bytesOf({'x', '0', 'y', '0'}));
    EXPECT_EQ(decodeOem(bytesOf({0xBA, 0xBA, 0xFF})), u"汉\xDCFF");
}

} // namespace
} // namespace tolvane
