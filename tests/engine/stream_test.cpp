// The fast paths against the plain way through UTF-16, piece edges, and the
// window's turns between pieces.

#include "engine/file_steps.h"
#include "engine/piece_convert.h"
#include "engine/state.h"
#include "engine/stream.h"
#include "engine/table.h"
#include "tests/engine/engine_test_support.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace tolvane::testing {
namespace {

using Path = PieceConverter::Path;

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string convertWhole(Encoding encoding, Path path, const std::string& input) {
    PieceConverter converter(encoding, path);
    const auto result = converter.convert(bytesOf(input), true);
    return {result.bytes.begin(), result.bytes.end()};
}

// The fast path in two pieces, the first ending at byte at.
std::string convertSplit(Encoding encoding, const std::string& input, std::size_t at) {
    PieceConverter converter(encoding);
    const auto first = converter.convert(bytesOf(input.substr(0, at)), false);
    std::string output(first.bytes.begin(), first.bytes.end());
    const auto rest = converter.convert(bytesOf(input.substr(first.used)), true);
    return output.append(rest.bytes.begin(), rest.bytes.end());
}

std::string utf8Of(char32_t code) {
    std::string bytes;
    if (code < 0x80) return bytes += static_cast<char>(code);
    if (code < 0x800) {
        bytes += static_cast<char>(0xC0 | code >> 6);
    } else if (code < 0x10000) {
        bytes += static_cast<char>(0xE0 | code >> 12);
        bytes += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    } else {
        bytes += static_cast<char>(0xF0 | code >> 18);
        bytes += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        bytes += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    }
    return bytes += static_cast<char>(0x80 | (code & 0x3F));
}

bool isSurrogate(unsigned unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// Tables whose replacements reach every kind of target: two-byte and one-byte
// 936 characters, ones 936 cannot hold, 3-byte and 2-byte UTF-8, stray bytes.
// Surrogates are no table's source or target: table files cannot hold them.
struct TableCase {
    const char* name;
    bool moveAscii;
};
constexpr TableCase kTables[] = {{"ASCII left alone", false}, {"ASCII moved too", true}};

void loadScrambledTable(bool moveAscii) {
    复位对照表();
    for (unsigned unit = moveAscii ? 0 : 0x80; unit < 0x10000; ++unit) {
        const unsigned target = (unit * 0x9E37U + 0x1234U) & 0xFFFF;
        const bool allowed = !isSurrogate(target) || (target >= 0xDC80 && target <= 0xDCFF);
        if (!isSurrogate(unit) && allowed)
            设置对照(static_cast<char16_t>(unit), static_cast<char16_t>(target));
    }
}

class 快速路径 : public EngineTest {};

TEST_F(快速路径, 每个双字节936序列与参照一致) {
    for (const TableCase& table : kTables) {
        loadScrambledTable(table.moveAscii);
        for (unsigned pair = 0; pair < 0x10000; ++pair) {
            const std::string input{static_cast<char>(pair >> 8), static_cast<char>(pair & 0xFF)};
            ASSERT_EQ(convertWhole(Encoding::Gbk, Path::Fast, input),
                      convertWhole(Encoding::Gbk, Path::Reference, input))
                << table.name << std::hex << " pair " << pair;
        }
    }
}

TEST_F(快速路径, 每个BMP码位的UTF8与参照一致) {
    for (const TableCase& table : kTables) {
        loadScrambledTable(table.moveAscii);
        for (char32_t code = 0; code < 0x10000; ++code) {
            if (isSurrogate(code)) continue;
            const std::string input = utf8Of(code) + utf8Of(0x10000 + code * 16);
            ASSERT_EQ(convertWhole(Encoding::Utf8, Path::Fast, input),
                      convertWhole(Encoding::Utf8, Path::Reference, input))
                << table.name << std::hex << " U+" << static_cast<unsigned>(code);
        }
    }
}

// Characters, stray bytes and cut-off sequences of every encoding, at random.
std::string randomText(std::mt19937& random, std::size_t size) {
    static const std::string kPieces[] = {
        "a",        "\r\n",         "\xBA\xBA",           "\x81\x40",         "\xFE\xFE",
        "\x80",     "\xFF",         "\xE6\xB1\x89",       "\xC3\xA9",         "\xF0\x9F\x98\x80",
        "\xE6\xB1", "\xED\xA0\x80", std::string(1, '\0'), "\x3D\xD8\x00\xDE", "\x00\xD8"};
    std::string text;
    while (text.size() < size)
        text += kPieces[random() % std::size(kPieces)];
    return text;
}

TEST_F(快速路径, 随机文本在任何位置分段都与整段参照一致) {
    std::mt19937 random(936);
    for (const TableCase& table : kTables) {
        loadScrambledTable(table.moveAscii);
        for (const Encoding encoding :
             {Encoding::Gbk, Encoding::Utf8, Encoding::Utf16Le, Encoding::Utf16Be}) {
            for (int round = 0; round < 20; ++round) {
                const std::string input = randomText(random, 300);
                const std::string expected = convertWhole(encoding, Path::Reference, input);
                ASSERT_EQ(convertWhole(encoding, Path::Fast, input), expected) << table.name;
                for (std::size_t at = 0; at <= input.size(); ++at)
                    ASSERT_EQ(convertSplit(encoding, input, at), expected)
                        << table.name << ' ' << encodingName(encoding) << " edge at " << at;
            }
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
    设置对照(u'a', u'b');
    使用多线程 = false;
    int turns = 0;
    setEventPump([&] {
        if (++turns == 2) 取消标志 = true;
    });
    文件内容转换 steps(folder / u"a.txt");
    steps.移入备份();
    steps.读出();
    EXPECT_TRUE(steps.转换());
    EXPECT_EQ(turns, 2);
    steps.复原();
    EXPECT_EQ(readBytes(folder / u"a.txt"), original);
}

} // namespace
} // namespace tolvane::testing
