// The streaming code: a long piece converted in two halves at once, and the
// window's turns between pieces.

#include "engine/file_steps.h"
#include "engine/state.h"
#include "engine/stream.h"
#include "engine/table.h"
#include "engine/text_codec.h"
#include "tests/engine/engine_test_support.h"
#include "tests/engine/reference_convert.h"

#include <gtest/gtest.h>
#include <string>

namespace tolvane::testing {
namespace {

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
