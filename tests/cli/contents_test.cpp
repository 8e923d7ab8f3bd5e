#include "cli_runner.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tolvane::cli_test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kTable = "简体到繁体";

TEST(命令行文件内容, 按顺序转换并把原文件留在备份文件夹) {
    Scratch scratch;
    writeBytes(scratch / "a.txt", gbk::汉 + gbk::字 + "\r\n");
    writeBytes(scratch / "b.txt", "plain " + gbk::国);
    const RunResult result = scratch.run({"-t", kTable, "a.txt", "b.txt"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, ""); // no progress line when standard error is not a terminal
    EXPECT_EQ(readBytes(scratch / "a.txt"), gbk::漢 + gbk::字 + "\r\n");
    EXPECT_EQ(readBytes(scratch / "b.txt"), "plain " + gbk::國);
    EXPECT_EQ(readBytes(scratch / "~Vebzo01.bak/a.txt"), gbk::汉 + gbk::字 + "\r\n");
    EXPECT_EQ(readBytes(scratch / "~Vebzo01.bak/b.txt"), "plain " + gbk::国);
}

// Blanks belong to a name: a file whose name ends in one is converted in place.
TEST(命令行文件内容, 名称末尾的空格属于名称) {
    Scratch scratch;
    writeBytes(scratch / "a.txt ", gbk::汉);
    const RunResult result = scratch.run({"-t", kTable, "a.txt "});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readBytes(scratch / "a.txt "), gbk::漢);
    EXPECT_EQ(readBytes(scratch / "~Vebzo01.bak/a.txt "), gbk::汉);
}

void makeTree(const Scratch& scratch) {
    fs::create_directories(scratch / "d/sub/~Vebzo07.bak");
    fs::create_directories(scratch / "d/~Vebzo01.bak");
    writeBytes(scratch / "d/b.txt", gbk::汉);
    writeBytes(scratch / "d/a.txt", gbk::汉 + gbk::国);
    writeBytes(scratch / "d/sub/c", gbk::国);
    writeBytes(scratch / "d/~Vebzo01.bak/old.txt", gbk::汉);
    writeBytes(scratch / "d/sub/~Vebzo07.bak/c", gbk::国);
}

TEST(命令行文件内容, 递归按名称顺序并跳过备份文件夹而演习什么也不改) {
    Scratch scratch;
    makeTree(scratch);
    const auto before = snapshot(scratch.path());
    const RunResult preview = scratch.run({"-t", kTable, "-r", "--dry-run", "d"});
    EXPECT_EQ(preview.exitCode, 0) << preview.err;
    EXPECT_EQ(preview.out, "d/a.txt: GBK, 2 个字符将被转换\n"
                           "d/b.txt: GBK, 1 个字符将被转换\n"
                           "d/sub/c: GBK, 1 个字符将被转换\n");
    EXPECT_EQ(snapshot(scratch.path()), before);

    const RunResult result = scratch.run({"-t", kTable, "-r", "d/"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readBytes(scratch / "d/a.txt"), gbk::漢 + gbk::國);
    EXPECT_EQ(readBytes(scratch / "d/sub/c"), gbk::國);
    EXPECT_EQ(readBytes(scratch / "d/~Vebzo01.bak/old.txt"), gbk::汉);
    EXPECT_EQ(readBytes(scratch / "d/sub/~Vebzo07.bak/c"), gbk::国);
    EXPECT_EQ(readBytes(scratch / "d/sub/~Vebzo01.bak/c"), gbk::国);
    EXPECT_FALSE(fs::exists(scratch / "d/~Vebzo01.bak/~Vebzo01.bak"));
}

} // namespace
} // namespace tolvane::cli_test
