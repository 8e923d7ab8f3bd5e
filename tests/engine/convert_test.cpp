// Phrase rules and characters: the matching rules, and the converter against
// the plain way wherever a text is cut into pieces.

#include "engine/convert.h"
#include "engine/piece_convert.h"
#include "engine/text_codec.h"
#include "platform/utf8.h"
#include "tests/engine/engine_test_support.h"
#include "tests/engine/reference_convert.h"

#include <gtest/gtest.h>
#include <random>

namespace tolvane::testing {
namespace {

struct MatchCase {
    const char* rule;
    std::initializer_list<Phrase> phrases;
    std::u16string_view text;
    std::u16string_view converted;
};

// Characters: a -> x, b -> y, c -> z.
const MatchCase kMatchCases[] = {
    {"characters where no phrase matches", {}, u"abcd", u"xyzd"},
    {"the longest source wins", {{u"ab", u"12"}, {u"abc", u"345"}}, u"abcd", u"345d"},
    {"a shorter phrase inside a longer one",
     {{u"abcd", u"1234"}, {u"bc", u"89"}},
     u"abcd",
     u"1234"},
    {"the shorter one alone", {{u"abcd", u"1234"}, {u"bc", u"89"}}, u"abce", u"x89e"},
    {"overlapping: the leftmost first", {{u"ab", u"12"}, {u"bc", u"89"}}, u"abc", u"12z"},
    {"greedy, not the best cover", {{u"ab", u"12"}, {u"bcd", u"789"}}, u"abcd", u"12zd"},
    {"a target is not converted again", {{u"ab", u"ba"}}, u"ab", u"ba"},
    {"a phrase cut by the text's end", {{u"abc", u"123"}}, u"dab", u"dxy"},
    {"at the end", {{u"bc", u"89"}}, u"abc", u"x89"},
    {"the same character twice", {{u"aa", u"77"}}, u"aaa", u"77x"},
};

TEST(词组, 最长匹配从左到右而没有词组处按字) {
    for (const MatchCase& c : kMatchCases) {
        const TablePtr table = tableOf({u"ax", u"by", u"cz"}, c.phrases);
        EXPECT_EQ(转换文本(*table, c.text), c.converted) << c.rule;
        // Cut anywhere, the units not yet done go in again with the rest.
        for (std::size_t cut = 0; cut <= c.text.size(); ++cut) {
            std::u16string head(c.text.substr(0, cut));
            const std::size_t done = convertUnits(*table, head, false);
            std::u16string rest = head.substr(done) + std::u16string(c.text.substr(cut));
            convertUnits(*table, rest, true);
            EXPECT_EQ(head.substr(0, done) + rest, c.converted) << c.rule << ", cut at " << cut;
        }
    }
}

// Small random tables over a few characters that every encoding holds, so
// that phrases meet, overlap and nest often; the text cut at every piece size.
TEST(词组, 任意分段都与参照一致) {
    constexpr std::u16string_view kAlphabet = u"ab汉字体系";
    std::mt19937 random(17);
    const auto text = [&](std::size_t size) {
        std::u16string text;
        while (text.size() < size)
            text += kAlphabet[random() % kAlphabet.size()];
        return text;
    };
    for (int round = 0; round < 300; ++round) {
        ReferenceTable reference;
        for (const char16_t unit : kAlphabet)
            if (random() % 3 == 0) reference.characters[unit] = text(1)[0];
        for (std::size_t n = random() % 7; n > 0; --n) {
            const std::u16string source = text(2 + random() % 4);
            reference.phrases[source] = text(source.size());
        }
        const TablePtr table = reference.build();
        const std::u16string input = text(random() % 14);
        for (const Encoding encoding : {Encoding::Gbk, Encoding::Utf8, Encoding::Utf16Be}) {
            std::vector<std::uint8_t> bytes;
            encodeText(encoding, input, bytes);
            const auto expected = *reference.convert(encoding, bytes);
            for (std::size_t pieceSize = 1; pieceSize <= bytes.size() + 1; ++pieceSize) {
                PieceConverter converter(*table, encoding);
                ASSERT_EQ(convertInPieces(converter, bytes, pieceSize), expected)
                    << "round " << round << ", pieces of " << pieceSize;
            }
        }
    }
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
// characters of the code pages, ones they cannot hold, 3-byte and 2-byte
// UTF-8, stray bytes.
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

// The converted bytes, or "refused" when the encoding cannot hold them.
std::string convertWhole(const 内码对照表& table, Encoding encoding, const std::string& input) {
    PieceConverter converter(table, encoding);
    try {
        const auto result = converter.convert(bytesOf(input), true);
        return {result.bytes.begin(), result.bytes.end()};
    } catch (const CannotEncode&) {
        return "refused";
    }
}

std::string convertPlainly(const ReferenceTable& table, Encoding encoding,
                           const std::string& input) {
    const auto bytes = table.convert(encoding, bytesOf(input));
    return bytes ? std::string(bytes->begin(), bytes->end()) : "refused";
}

// Every two-byte sequence of the Chinese code pages and every BMP code point
// in UTF-8 (followed by one beyond it) gives the plain way's bytes, or is
// refused as it is; piece edges are the fuzz target's.
TEST(快速路径, 每个双字节序列和每个BMP码位的UTF8与参照一致) {
    for (const bool moveAscii : {false, true}) {
        const ReferenceTable reference = scrambledTable(moveAscii);
        const TablePtr table = reference.build();
        for (unsigned unit = 0; unit < 0x10000; ++unit) {
            const std::string pair{static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
            for (const Encoding encoding : {Encoding::Gbk, Encoding::Big5, Encoding::Gb18030})
                ASSERT_EQ(convertWhole(*table, encoding, pair),
                          convertPlainly(reference, encoding, pair))
                    << moveAscii << encodingName(encoding) << std::hex << " pair " << unit;
            if (isSurrogate(unit)) continue;
            const std::string utf8 = utf8Of(unit) + utf8Of(0x10000 + unit * 16);
            ASSERT_EQ(convertWhole(*table, Encoding::Utf8, utf8),
                      convertPlainly(reference, Encoding::Utf8, utf8))
                << moveAscii << std::hex << " U+" << unit;
        }
    }
}

} // namespace
} // namespace tolvane::testing
