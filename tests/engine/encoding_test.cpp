// How a text's encoding is told, the Chinese code pages by the text itself,
// and what each encoding rule gives end to end.

#include "engine/chinese_detection.h"
#include "engine/encoding.h"
#include "engine/stream.h"
#include "engine/table.h"
#include "platform/codepage.h"
#include "platform/utf8.h"
#include "tests/engine/engine_test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace tolvane::testing {
namespace {

using namespace std::string_literals;

// 汉 in code page 936 and UTF-8; 漢 likewise; made before any test runs.
// NOLINTBEGIN(cert-err58-cpp)
const std::string kGbk汉 = "\xBA\xBA", kGbk漢 = "\x9D\x68";
const std::string kUtf8汉 = "\xE6\xB1\x89", kUtf8漢 = "\xE6\xBC\xA2";
// NOLINTEND(cert-err58-cpp)

TEST(编码识别, 按字节顺序标记或UTF8有效性识别) {
    const std::tuple<const char*, std::string, bool, Encoding, std::size_t> cases[] = {
        {"pure ASCII", "abc\r\n", true, Encoding::Gbk, 0},
        {"empty", "", true, Encoding::Gbk, 0},
        {"UTF-8 cut at the end of the text", kUtf8汉 + "\xE6\xB1", true, Encoding::Gbk, 0},
        {"overlong form", "\xC0\xAF", true, Encoding::Gbk, 0},
        {"surrogate in UTF-8", "\xED\xA0\x80", true, Encoding::Gbk, 0},
        {"four bytes", "\xF0\x9F\x98\x80", true, Encoding::Utf8, 0}};
    for (const auto& [name, head, whole, encoding, markSize] : cases) {
        const Detection detection = detectEncoding(bytesOf(head), whole);
        EXPECT_EQ(detection.encoding, encoding) << name;
        EXPECT_EQ(detection.markSize, markSize) << name;
    }
    // NUL in the first 8 KiB: no text, unless UTF-16 with its mark.
    EXPECT_FALSE(looksLikeText(bytesOf("ab\0c"s)));
    EXPECT_TRUE(looksLikeText(bytesOf("\xFF\xFE\x61\0"s)));
    EXPECT_TRUE(looksLikeText(bytesOf(std::string(kTextProbeSize, 'a') + '\0')));
}

// A text in a Chinese code page.
std::string in(CodePage page, std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    encodeCodePage(page, text, bytes);
    return {bytes.begin(), bytes.end()};
}

#include "chinese_prose.inc"

TEST(中文代码页识别, 由文本本身识别而证据不足时为GBK) {
    constexpr std::size_t kWhole = std::string::npos;
    const std::string withBullet = std::string(kSimplified) + "•"; // four bytes in GB18030
    struct Case {
        std::string_view text;
        std::size_t size; // cut anywhere, a character too
        CodePage page;
        ChineseCodePage expected;
    };
    const Case cases[] = {
        {kSimplified, 201, CodePage::Gbk, ChineseCodePage::Gbk},
        {kSimplified, kWhole, CodePage::Gbk, ChineseCodePage::Gbk},
        // What 简体到繁体 writes into a GBK file is read back as GBK.
        {kTraditional, 201, CodePage::Gbk, ChineseCodePage::Gbk},
        {kTraditional, kWhole, CodePage::Gbk, ChineseCodePage::Gbk},
        {kTaiwanese, 201, CodePage::Big5, ChineseCodePage::Big5},
        {kTaiwanese, kWhole, CodePage::Big5, ChineseCodePage::Big5},
        {"這是一個繁體中文的測試文件，頭髮與發展。", kWhole, CodePage::Big5, ChineseCodePage::Big5},
        {withBullet, kWhole, CodePage::Gb18030, ChineseCodePage::Gb18030},
        {kSimplified, kWhole, CodePage::Gb18030, ChineseCodePage::Gbk},
        {"頭髮", kWhole, CodePage::Big5, ChineseCodePage::Gbk},
    };
    for (const Case& c : cases) {
        const std::string bytes = in(c.page, fromUtf8(c.text));
        const auto head = bytesOf(bytes).first(std::min(c.size, bytes.size()));
        EXPECT_EQ(detectChineseCodePage(head), c.expected) << c.text.substr(0, 12) << ' ' << c.size;
    }
}

struct RuleCase {
    const char* rule;
    std::string input;
    Encoding requested;
    std::string output; // "refused": the output encoding cannot hold the result
    Encoding encoding;
    Encoding written = Encoding::Auto;
};

class 编码规则 : public EngineTest {
  protected:
    // 丁 becomes a character code page 936 cannot hold, 髮 one Big5 cannot.
    TablePtr table = tableOf({u"汉漢", u"ab", u"丁가", u"髮发"});

    void check(const RuleCase& c, bool rewindable) const {
        MemorySource source(c.input, rewindable);
        MemorySink sink;
        const StreamRequest request{.encoding = c.requested, .output = c.written};
        try {
            const StreamResult result =
                convertStream(*table, source, sink, request, [] { return false; });
            EXPECT_EQ(sink.text, c.output) << c.rule;
            EXPECT_EQ(result.encoding, c.encoding) << c.rule;
            EXPECT_FALSE(result.cancelled) << c.rule;
        } catch (const CannotEncode& refusal) {
            EXPECT_EQ("refused", c.output) << c.rule;
            EXPECT_EQ(refusal.encoding(), c.written == Encoding::Auto ? c.encoding : c.written)
                << c.rule;
        }
    }
};

TEST_F(编码规则, 每条规则的转换结果) {
    const RuleCase cases[] = {
        {"UTF-8 stays UTF-8", kUtf8汉 + "a\r\n", Encoding::Auto, kUtf8漢 + "b\r\n", Encoding::Utf8},
        {"stray 936 bytes kept", "\x80\xFF" + kGbk汉 + "\xBA", Encoding::Auto,
         "\x80\xFF" + kGbk漢 + "\xBA", Encoding::Gbk},
        {"936 cannot hold it: refused", "\xB6\xA1", Encoding::Auto, "refused", Encoding::Gbk},
        {"UTF-8 mark kept", "\xEF\xBB\xBF" + kUtf8汉, Encoding::Auto, "\xEF\xBB\xBF" + kUtf8漢,
         Encoding::Utf8},
        {"UTF-16BE with mark, odd byte kept", "\xFE\xFF\x6C\x49\x7F", Encoding::Auto,
         "\xFE\xFF\x6F\x22\x7F", Encoding::Utf16Be},
        {"invalid UTF-8 late in the text is 936", kUtf8汉 + "\xFF", Encoding::Auto,
         kUtf8汉 + "\xFF", Encoding::Gbk},
        {"forced UTF-8 keeps invalid bytes", kUtf8汉 + "\xFF", Encoding::Utf8, kUtf8漢 + "\xFF",
         Encoding::Utf8},
        {"Big5 told from the text", in(CodePage::Big5, fromUtf8(kTaiwanese)), Encoding::Auto,
         in(CodePage::Big5, fromUtf8(kTaiwanese)), Encoding::Big5},
        {"Big5 cannot hold it: refused", in(CodePage::Big5, u"頭髮"), Encoding::Big5, "refused",
         Encoding::Big5},
        {"Big5 written as UTF-8, no mark", in(CodePage::Big5, u"頭髮"), Encoding::Big5,
         toUtf8(u"頭发"), Encoding::Big5, Encoding::Utf8},
        {"GB18030's four bytes tell it", in(CodePage::Gb18030, u"汉\U00020000"), Encoding::Auto,
         in(CodePage::Gb18030, u"漢\U00020000"), Encoding::Gb18030},
        {"936 written as UTF-16 with a mark", kGbk汉, Encoding::Auto, "\xFF\xFE\x22\x6F",
         Encoding::Gbk, Encoding::Utf16Le},
        {"a UTF-8 mark becomes UTF-16's", "\xEF\xBB\xBF" + kUtf8汉, Encoding::Auto,
         "\xFE\xFF\x6F\x22", Encoding::Utf8, Encoding::Utf16Be},
        {"no mark in 936", "\xEF\xBB\xBF" + kUtf8汉, Encoding::Auto, kGbk漢, Encoding::Utf8,
         Encoding::Gbk},
        {"a UTF-16 mark becomes UTF-8's", "\xFF\xFE\x49\x6C"s, Encoding::Auto,
         "\xEF\xBB\xBF" + kUtf8漢, Encoding::Utf16Le, Encoding::Utf8}};
    for (const RuleCase& c : cases)
        check(c, true);
    // A character cut by a piece's end (the first piece is a little longer than kPieceSize).
    for (std::string edge(kPieceSize - 1, 'x'); edge.size() < kPieceSize + 10; edge += 'x') {
        check({"936 across a piece's end", edge + kGbk汉, Encoding::Auto, edge + kGbk漢,
               Encoding::Gbk},
              true);
        check({"UTF-8 across", edge + kUtf8汉, Encoding::Auto, edge + kUtf8漢, Encoding::Utf8},
              true);
    }
    // Standard input cannot be taken back, so its first piece decides.
    const std::string pad(kPieceSize + 8, 'x');
    check({"ASCII head", pad + kUtf8汉, Encoding::Auto, pad + kUtf8汉, Encoding::Gbk}, false);
    check({"UTF-8 head", kUtf8汉 + pad + "\xFF", Encoding::Auto, kUtf8漢 + pad + "\xFF",
           Encoding::Utf8},
          false);
    table = tableOf({u"a汉"}); // pure ASCII that gains a character is written as 936
    check({"rewound", "a", Encoding::Auto, kGbk汉, Encoding::Gbk}, true);
}

} // namespace
} // namespace tolvane::testing
