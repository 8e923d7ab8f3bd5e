// The shortcuts of a table without phrases against the plain way, and the
// window's turns between pieces.

#include "engine/file_steps.h"
#include "engine/piece_convert.h"
#include "engine/state.h"
#include "engine/stream.h"
#include "engine/table.h"
#include "engine/text_codec.h"
#include "platform/utf8.h"
#include "tests/engine/engine_test_support.h"
#include "tests/engine/reference_convert.h"

#include <gtest/gtest.h>
#include <string>

namespace tolvane::testing {
namespace {

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string utf8Of(char32_t code) {
    const char32_t over = code - 0x10000;
    return toUtf8(code < 0x10000 ? std::u16string(1, static_cast<char16_t>(code))
                                 : std::u16string{static_cast<char16_t>(0xD800 + (over >> 10)),
                                                  static_cast<char16_t>(0xDC00 + (over & 0x3FF))});
}

bool isSurrogate(unsigned unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// A table whose replacements reach every kind of target: two-byte and one-byte
// 936 characters, ones 936 cannot hold, 3-byte and 2-byte UTF-8, stray bytes.
// Surrogates are no table's source or target: table files cannot hold them.
ReferenceTable scrambledTable(bool moveAscii) {
    ReferenceTable table;
    for (unsigned unit = moveAscii ? 0 : 0x80; unit < 0x10000; ++unit) {
        const unsigned target = (unit * 0x9E37U + 0x1234U) & 0xFFFF;
        const bool allowed = !isSurrogate(target) || (target >= 0xDC80 && target <= 0xDCFF);
        if (!isSurrogate(unit) && allowed)
            table.characters[static_cast<char16_t>(unit)] = static_cast<char16_t>(target);
    }
    return table;
}

std::string convertWhole(const 内码对照表& table, Encoding encoding, const std::string& input) {
    PieceConverter converter(table, encoding);
    const auto result = converter.convert(bytesOf(input), true);
    return {result.bytes.begin(), result.bytes.end()};
}

std::string convertPlainly(const ReferenceTable& table, Encoding encoding,
                           const std::string& input) {
    const auto bytes = table.convert(encoding, bytesOf(input));
    return {bytes.begin(), bytes.end()};
}

// Every two-byte 936 sequence and every BMP code point in UTF-8 (followed by
// one beyond it) gives the plain way's bytes; piece edges are the fuzz target's.
TEST(快速路径, 每个双字节936序列和每个BMP码位的UTF8与参照一致) {
    for (const bool moveAscii : {false, true}) {
        const ReferenceTable reference = scrambledTable(moveAscii);
        const TablePtr table = reference.build();
        for (unsigned unit = 0; unit < 0x10000; ++unit) {
            const std::string pair{static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
            ASSERT_EQ(convertWhole(*table, Encoding::Gbk, pair),
                      convertPlainly(reference, Encoding::Gbk, pair))
                << moveAscii << std::hex << " pair " << unit;
            if (isSurrogate(unit)) continue;
            const std::string utf8 = utf8Of(unit) + utf8Of(0x10000 + unit * 16);
            ASSERT_EQ(convertWhole(*table, Encoding::Utf8, utf8),
                      convertPlainly(reference, Encoding::Utf8, utf8))
                << moveAscii << std::hex << " U+" << unit;
        }
    }
}

// A long text is cut after a line feed and its halves converted at once: the
// result and the count of a dry run are the whole text's, also where rules
// meet the line ends, and a rule that holds a line feed keeps it whole.
TEST(分段, 按行切开两半同时转换与整篇一致) {
    ReferenceTable reference;
    reference.characters = {{u'汉', u'漢'}, {u'字', u'子'}};
    reference.phrases = {{u"字\n汉", u"子\n漢"}, {u"汉字", u"漢字"}, {u"字汉字", u"子汉子"}};
    std::u16string text;
    for (int line = 0; text.size() < 3 * kPieceSize; ++line)
        text += std::u16string(static_cast<std::size_t>(line % 97), u'字') + u"\n汉字a";
    for (const bool lineFeedRule : {true, false}) {
        if (!lineFeedRule) reference.phrases.erase(u"字\n汉");
        const TablePtr table = reference.build();
        for (const Encoding encoding : {Encoding::Gbk, Encoding::Utf8}) {
            std::vector<std::uint8_t> bytes;
            encodeText(encoding, text, bytes);
            MemorySource source({bytes.begin(), bytes.end()}, true);
            MemorySink sink;
            const StreamResult result =
                convertStream(*table, source, sink, {.encoding = encoding, .countChanges = true},
                              [] { return false; });
            const std::u16string converted = reference.convert(text);
            std::vector<std::uint8_t> expected;
            encodeText(encoding, converted, expected);
            EXPECT_TRUE(sink.text == std::string(expected.begin(), expected.end()));
            std::uint64_t changed = 0;
            for (std::size_t k = 0; k < text.size(); ++k)
                changed += text[k] != converted[k] ? 1 : 0;
            EXPECT_EQ(result.changedUnits, changed);
        }
    }
}

class 分段之间 : public EngineTest {};

// Without a worker thread the window runs after every piece, which is how a
// second click on Start stops a long file in good time.
TEST_F(分段之间, 没有工作线程时窗口在每段之后运行而取消在那里生效) {
    ScratchFolder folder;
    const std::string original(3 * kPieceSize + 100, 'a');
    writeBytes(folder / u"a.txt", original);
    const TablePtr table = tableOf({u"ab"});
    使用多线程 = false;
    int turns = 0;
    setEventPump([&] {
        if (++turns == 2) 取消标志 = true;
    });
    文件内容转换 steps(*table, folder / u"a.txt");
    steps.移入备份();
    steps.读出();
    EXPECT_TRUE(steps.转换(stopRequested));
    EXPECT_EQ(turns, 2);
    steps.复原();
    EXPECT_EQ(readBytes(folder / u"a.txt"), original);
}

} // namespace
} // namespace tolvane::testing
