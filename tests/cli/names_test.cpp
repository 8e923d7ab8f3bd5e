#include "cli_runner.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tolvane::cli_test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kTable = "简体到繁体";

TEST(命令行文件名, 只改最后一部分并打印新旧路径) {
    Scratch scratch;
    fs::create_directory(scratch / "汉");
    writeBytes(scratch / "汉/汉字.txt", gbk::汉);
    writeBytes(scratch / "abc.txt", "x");
    const RunResult result = scratch.run({"-t", kTable, "-n", "汉/汉字.txt", "abc.txt"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "汉/汉字.txt -> 汉/漢字.txt\n");  // unchanged names are not listed
    EXPECT_EQ(readBytes(scratch / "汉/漢字.txt"), gbk::汉); // contents untouched
    EXPECT_FALSE(fs::exists(scratch / "汉/汉字.txt"));
    EXPECT_EQ(readBytes(scratch / "abc.txt"), "x");
}

TEST(命令行文件名, 从不覆盖已有文件) {
    Scratch scratch;
    writeBytes(scratch / "汉.txt", "simplified");
    writeBytes(scratch / "漢.txt", "traditional");
    writeBytes(scratch / "国.txt", "later");
    const RunResult result = scratch.run({"--names", "-t", kTable, "汉.txt", "国.txt"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.starts_with("tolvane-cli: 汉.txt: ")) << result.err;
    EXPECT_NE(result.err.find("文件已存在"), std::string::npos) << result.err;
    EXPECT_EQ(readBytes(scratch / "汉.txt"), "simplified");
    EXPECT_EQ(readBytes(scratch / "漢.txt"), "traditional");
    EXPECT_EQ(result.out, "国.txt -> 國.txt\n"); // the run went on
}

TEST(命令行文件名, 缺失的文件和文件夹报不存在) {
    Scratch scratch;
    fs::create_directory(scratch / "汉");
    writeBytes(scratch / "汉.txt", "x");
    const RunResult result = scratch.run({"-t", kTable, "-n", "国.txt", "汉", "汉.txt"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("tolvane-cli: 文件“国.txt”不存在\n"), std::string::npos);
    EXPECT_NE(result.err.find("tolvane-cli: 汉: 是文件夹"), std::string::npos) << result.err;
    EXPECT_TRUE(fs::is_directory(scratch / "汉"));
    EXPECT_EQ(result.out, "汉.txt -> 漢.txt\n");
}

TEST(命令行文件名, 递归只改文件的名称不改文件夹也不进备份文件夹) {
    Scratch scratch;
    fs::create_directories(scratch / "d/汉/~Vebzo01.bak");
    writeBytes(scratch / "d/汉/国.txt", "a");
    writeBytes(scratch / "d/汉/~Vebzo01.bak/汉.txt", "b");
    const RunResult result = scratch.run({"-t", kTable, "-n", "-r", "d"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "d/汉/国.txt -> d/汉/國.txt\n");
    EXPECT_EQ(readBytes(scratch / "d/汉/國.txt"), "a");
    EXPECT_EQ(readBytes(scratch / "d/汉/~Vebzo01.bak/汉.txt"), "b");
}

TEST(命令行文件名, 演习只打印不改名并预报冲突) {
    Scratch scratch;
    writeBytes(scratch / "汉.txt", "1");
    writeBytes(scratch / "国.txt", "2");
    writeBytes(scratch / "國.txt", "3");
    const auto before = snapshot(scratch.path());
    const RunResult result = scratch.run({"-t", kTable, "-n", "--dry-run", "汉.txt", "国.txt"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "汉.txt -> 漢.txt\n");
    EXPECT_NE(result.err.find("tolvane-cli: 国.txt: "), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("文件已存在"), std::string::npos) << result.err;
    EXPECT_EQ(snapshot(scratch.path()), before);
}

} // namespace
} // namespace tolvane::cli_test
