#include "cli_runner.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tolvane::cli_test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kTable = "简体到繁体";

TEST(命令行文件名, 只改文件名的最后一部分并打印新旧路径) {
    Scratch scratch;
    fs::create_directories(scratch / "汉/~Vebzo01.bak");
    writeBytes(scratch / "汉/汉字.txt", gbk::汉);
    writeBytes(scratch / "汉/~Vebzo01.bak/汉.txt", "b");
    writeBytes(scratch / "abc.txt", "x");
    const RunResult result = scratch.run({"-t", kTable, "-n", "-r", "汉", "abc.txt", "无.txt"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "tolvane-cli: 文件“无.txt”不存在\n");
    EXPECT_EQ(result.out, "汉/汉字.txt -> 汉/漢字.txt\n");  // unchanged names are not listed
    EXPECT_EQ(readBytes(scratch / "汉/漢字.txt"), gbk::汉); // contents untouched
    EXPECT_EQ(readBytes(scratch / "汉/~Vebzo01.bak/汉.txt"), "b");
    EXPECT_TRUE(fs::is_directory(scratch / "汉"));
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
