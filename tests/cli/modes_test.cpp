// The three ways of running: file contents, file names and the filter.

#include "cli_runner.h"
#include "platform/codepage.h"
#include "platform/utf8.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tolvane::cli_test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kTable = "简体到繁体";

TEST(命令行模式, 文件内容按名称递归转换并留下备份而演习什么也不改) {
    Scratch scratch;
    fs::create_directories(scratch / "d/sub");
    writeBytes(scratch / "d/b.txt", gbk::汉);
    writeBytes(scratch / "d/a.txt", gbk::汉 + gbk::国);
    writeBytes(scratch / "d/sub/c", gbk::国);
    writeBytes(scratch / "e.txt", "plain " + gbk::国);
    fs::create_symlink("../e.txt", scratch / "d/link.txt");
    // Written together, each converted file keeps its own permission bits.
    fs::permissions(scratch / "d/a.txt", fs::perms(0640));
    fs::permissions(scratch / "e.txt", fs::perms(0755));
    const auto before = snapshot(scratch.path());
    const RunResult preview = scratch.run({"-t", kTable, "-r", "--dry-run", "d", "e.txt"});
    EXPECT_EQ(preview.out, "d/a.txt: GBK, 2 个字符将被转换\nd/b.txt: GBK, 1 个字符将被转换\n"
                           "d/sub/c: GBK, 1 个字符将被转换\ne.txt: GBK, 1 个字符将被转换\n");
    EXPECT_EQ(snapshot(scratch.path()), before);

    const RunResult result = scratch.run({"-t", kTable, "-r", "d/", "e.txt"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    // No progress line off a terminal; the link is left alone and counted.
    EXPECT_EQ(result.out + result.err, "tolvane-cli: 已跳过 1 个符号链接（-r 不跟随链接）\n");
    EXPECT_TRUE(fs::is_symlink(scratch / "d/link.txt"));
    EXPECT_EQ(readBytes(scratch / "d/a.txt"), gbk::漢 + gbk::國);
    EXPECT_EQ(readBytes(scratch / "d/~Vebzo01.bak/a.txt"), gbk::汉 + gbk::国);
    EXPECT_EQ(readBytes(scratch / "d/sub/c"), gbk::國);
    EXPECT_EQ(readBytes(scratch / "e.txt"), "plain " + gbk::國);
    EXPECT_EQ(readBytes(scratch / "~Vebzo01.bak/e.txt"), "plain " + gbk::国);
    EXPECT_EQ(fs::status(scratch / "d/a.txt").permissions(), fs::perms(0640));
    EXPECT_EQ(fs::status(scratch / "e.txt").permissions(), fs::perms(0755));
}

TEST(命令行模式, 文件名只改最后一部分而演习预报冲突) {
    Scratch scratch;
    fs::create_directories(scratch / "汉/~Vebzo01.bak");
    writeBytes(scratch / "汉/汉字.txt", gbk::汉);
    writeBytes(scratch / "汉/~Vebzo01.bak/汉.txt", "b");
    writeBytes(scratch / "国.txt", "2");
    writeBytes(scratch / "國.txt", "3");
    const auto before = snapshot(scratch.path());
    for (const bool dryRun : {true, false}) {
        std::vector<std::string> arguments{"-t", kTable, "-n", "-r", "汉", "国.txt"};
        if (dryRun) arguments.emplace_back("--dry-run");
        const RunResult result = scratch.run(arguments);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.out, "汉/汉字.txt -> 汉/漢字.txt\n"); // unchanged names not listed
        EXPECT_TRUE(result.err.starts_with("tolvane-cli: 国.txt: ")) << result.err;
        EXPECT_NE(result.err.find("文件已存在"), std::string::npos) << result.err;
        EXPECT_TRUE(!dryRun || snapshot(scratch.path()) == before);
    }
    EXPECT_EQ(readBytes(scratch / "汉/漢字.txt"), gbk::汉); // contents untouched
    EXPECT_EQ(readBytes(scratch / "汉/~Vebzo01.bak/汉.txt"), "b");
    EXPECT_EQ(readBytes(scratch / "國.txt"), "3");
}

// Standard input to standard output, in many pieces, stray bytes and all.
TEST(命令行模式, 过滤把标准输入逐字节转换到标准输出) {
    Scratch scratch;
    std::string input, expected;
    for (int i = 0; i < 100000; ++i)
        input += gbk::汉 + "\x80x\r\n", expected += gbk::漢 + "\x80x\r\n";
    for (const auto& arguments : {std::vector<std::string>{"-t", kTable}, {"-t", kTable, "-"}})
        EXPECT_TRUE(scratch.run(arguments, input + "\xBA").out == expected + "\xBA");
    EXPECT_TRUE(snapshot(scratch.path()).empty()); // no backup, no file
}

// A named encoding is taken as it is: UTF-16 without a mark holds NUL bytes
// but is text.
TEST(命令行模式, 指定的编码) {
    Scratch scratch;
    writeBytes(scratch / "raw16.txt", std::string("a\0\x49\x6C", 4));
    EXPECT_EQ(scratch.run({"-t", kTable, "-e", "UTF-16LE", "raw16.txt"}).exitCode, 0);
    EXPECT_EQ(readBytes(scratch / "raw16.txt"), std::string("a\0\x22\x6F", 4));
}

std::string in(CodePage page, std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    encodeCodePage(page, text, bytes);
    return {bytes.begin(), bytes.end()};
}

// A result a file's own encoding cannot hold is refused, the file untouched,
// with the way out; --to writes it.
TEST(命令行模式, 写不下的结果原样放回而用to写成别的编码) {
    Scratch scratch;
    const std::string big5 = in(CodePage::Big5, u"頭髮與發展");
    writeBytes(scratch / "big5.txt", big5);
    const RunResult refused = scratch.run({"-t", "繁体到简体", "-e", "big5", "big5.txt"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("big5.txt: 转换结果含有 BIG5"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("--to utf-8"), std::string::npos) << refused.err;
    EXPECT_EQ(readBytes(scratch / "big5.txt"), big5);
    EXPECT_FALSE(std::filesystem::exists(scratch / "~Vebzo01.bak/big5.txt"));

    EXPECT_EQ(scratch.run({"-t", "繁体到简体", "-e", "big5", "--to", "utf-8", "big5.txt"}).exitCode,
              0);
    EXPECT_EQ(readBytes(scratch / "big5.txt"), toUtf8(u"头发与发展"));
    EXPECT_EQ(readBytes(scratch / "~Vebzo01.bak/big5.txt"), big5);
}

} // namespace
} // namespace tolvane::cli_test
