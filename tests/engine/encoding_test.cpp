// How a text's encoding is told, and what each encoding rule gives end to end.

#include "engine/encoding.h"
#include "engine/stream.h"
#include "engine/table.h"
#include "tests/engine/engine_test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace tolvane::testing {
namespace {

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// 汉 in code page 936, UTF-8, UTF-16LE; 漢 likewise.
const std::string kGbk汉 = "\xBA\xBA";
const std::string kGbk漢 = "\x9D\x68";
const std::string kUtf8汉 = "\xE6\xB1\x89";
const std::string kUtf8漢 = "\xE6\xBC\xA2";

struct DetectionCase {
    const char* name;
    std::string head;
    bool whole;
    Encoding encoding;
    std::size_t markSize;
};

TEST(编码识别, 按字节顺序标记或UTF8有效性识别) {
    const DetectionCase cases[] = {
        {"UTF-8 mark",
         "\xEF\xBB\xBF"
         "abc",
         true, Encoding::Utf8, 3},
        {"UTF-16LE mark",
         "\xFF\xFE"
         "a\0",
         true, Encoding::Utf16Le, 2},
        {"UTF-16BE mark",
         "\xFE\xFF"
         "\0a",
         true, Encoding::Utf16Be, 2},
        {"valid UTF-8", "a" + kUtf8汉, true, Encoding::Utf8, 0},
        {"pure ASCII", "abc\r\n", true, Encoding::Gbk, 0},
        {"empty", "", true, Encoding::Gbk, 0},
        {"936", kGbk汉 + "a", true, Encoding::Gbk, 0},
        {"UTF-8 cut at the end of the text", kUtf8汉 + "\xE6\xB1", true, Encoding::Gbk, 0},
        {"UTF-8 cut at the end of a head", kUtf8汉 + "\xE6\xB1", false, Encoding::Utf8, 0},
        {"overlong form", "\xC0\xAF", true, Encoding::Gbk, 0},
        {"surrogate in UTF-8", "\xED\xA0\x80", true, Encoding::Gbk, 0},
        {"four bytes", "\xF0\x9F\x98\x80", true, Encoding::Utf8, 0},
    };
    for (const DetectionCase& c : cases) {
        const Detection detection = detectEncoding(bytesOf(c.head), c.whole);
        EXPECT_EQ(detection.encoding, c.encoding) << c.name;
        EXPECT_EQ(detection.markSize, c.markSize) << c.name;
    }
}

TEST(编码识别, 开头8KiB中有NUL的不是文本除非是带标记的UTF16) {
    const std::string late(kTextProbeSize, 'a');
    EXPECT_TRUE(looksLikeText(bytesOf("abc")));
    EXPECT_FALSE(looksLikeText(bytesOf(std::string("ab\0c", 4))));
    EXPECT_TRUE(looksLikeText(bytesOf(std::string("\xFF\xFE"
                                                  "a\0",
                                                  4))));
    EXPECT_TRUE(looksLikeText(bytesOf(std::string("\xFE\xFF"
                                                  "\0a",
                                                  4))));
    EXPECT_TRUE(looksLikeText(bytesOf(late + std::string(1, '\0'))));
}

TEST(编码识别, 编码名称及其别名) {
    EXPECT_EQ(encodingNamed("CP936"), Encoding::Gbk);
    EXPECT_EQ(encodingNamed("utf-16BE"), Encoding::Utf16Be);
    EXPECT_EQ(encodingNamed("latin1"), std::nullopt);
    for (const Encoding e :
         {Encoding::Auto, Encoding::Gbk, Encoding::Utf8, Encoding::Utf16Le, Encoding::Utf16Be})
        EXPECT_EQ(encodingNamed(encodingName(e)), e) << encodingName(e);
}

class MemorySource : public ByteSource {
  public:
    MemorySource(std::string bytes, bool rewindable)
        : bytes_(std::move(bytes)), rewindable_(rewindable) {}
    std::size_t read(std::span<std::uint8_t> buffer) override {
        const std::size_t n = std::min(buffer.size(), bytes_.size() - at_);
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(at_), n, buffer.begin());
        at_ += n;
        return n;
    }
    bool canRewind() const override { return rewindable_; }
    void rewind() override { at_ = 0; }

  private:
    std::string bytes_;
    bool rewindable_;
    std::size_t at_ = 0;
};

class MemorySink : public ByteSink {
  public:
    void write(std::span<const std::uint8_t> bytes) override {
        text.append(bytes.begin(), bytes.end());
    }
    void empty() override { text.clear(); }
    std::string text;
};

struct RuleCase {
    const char* rule;
    std::string input;
    Encoding requested;
    std::string output;
    Encoding encoding;
};

class 编码规则 : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        设置对照(u'汉', u'漢');
        设置对照(u'a', u'b');
        设置对照(u'丁', u'가'); // a character code page 936 cannot hold
    }

    static void check(const RuleCase& c, bool rewindable) {
        MemorySource source(c.input, rewindable);
        MemorySink sink;
        const StreamResult result = convertStream(source, sink, c.requested, [] { return false; });
        EXPECT_EQ(sink.text, c.output) << c.rule;
        EXPECT_EQ(result.encoding, c.encoding) << c.rule;
        EXPECT_FALSE(result.cancelled) << c.rule;
    }
};

TEST_F(编码规则, 每条规则的转换结果) {
    const std::string le汉("\x49\x6C", 2);
    const std::string le漢("\x22\x6F", 2);
    const RuleCase cases[] = {
        {"UTF-8 stays UTF-8", kUtf8汉 + "a\r\n", Encoding::Auto, kUtf8漢 + "b\r\n", Encoding::Utf8},
        {"936 stays 936", kGbk汉 + "a", Encoding::Auto, kGbk漢 + "b", Encoding::Gbk},
        {"stray 936 bytes kept", "\x80\xFF" + kGbk汉 + "\xBA", Encoding::Auto,
         "\x80\xFF" + kGbk漢 + "\xBA", Encoding::Gbk},
        {"936 cannot hold it: 0", "\xB6\xA1", Encoding::Auto, "0", Encoding::Gbk},
        {"UTF-8 holds it", "\xE4\xB8\x81", Encoding::Auto, "\xEA\xB0\x80", Encoding::Utf8},
        {"UTF-8 mark kept", "\xEF\xBB\xBF" + kUtf8汉, Encoding::Auto, "\xEF\xBB\xBF" + kUtf8漢,
         Encoding::Utf8},
        {"UTF-16LE with mark", "\xFF\xFE" + le汉 + std::string("a\0", 2), Encoding::Auto,
         "\xFF\xFE" + le漢 + std::string("b\0", 2), Encoding::Utf16Le},
        {"UTF-16BE with mark, odd byte kept", "\xFE\xFF\x6C\x49\x7F", Encoding::Auto,
         "\xFE\xFF\x6F\x22\x7F", Encoding::Utf16Be},
        {"invalid UTF-8 late in the text is 936", kUtf8汉 + "\xFF", Encoding::Auto,
         "\xE6\xB1\x89\xFF", Encoding::Gbk},
        {"forced UTF-8 keeps invalid bytes", kUtf8汉 + "\xFF", Encoding::Utf8, kUtf8漢 + "\xFF",
         Encoding::Utf8},
        {"forced 936", kGbk汉, Encoding::Gbk, kGbk漢, Encoding::Gbk},
        {"pure ASCII is 936", "abc", Encoding::Auto, "bbc", Encoding::Gbk},
    };
    for (const RuleCase& c : cases)
        check(c, true);
}

TEST_F(编码规则, 纯ASCII中的字符被换成汉字时按936写出) {
    设置对照(u'a', u'汉');
    check({"rewound", "a", Encoding::Auto, kGbk汉, Encoding::Gbk}, true);
}

// Standard input: what was written cannot be taken back, so the first piece decides.
TEST_F(编码规则, 不能回头的输入按第一段判断) {
    const std::string pad(kPieceSize + 8, 'x');
    check({"ASCII head", pad + kUtf8汉, Encoding::Auto, pad + kUtf8汉, Encoding::Gbk}, false);
    check({"UTF-8 head", kUtf8汉 + pad + "\xFF", Encoding::Auto, kUtf8漢 + pad + "\xFF",
           Encoding::Utf8},
          false);
}

} // namespace
} // namespace tolvane::testing
