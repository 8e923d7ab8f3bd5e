#include "cli_runner.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tolvane::cli_test {
namespace {

constexpr const char* kTable = "简体到繁体";

TEST(命令行用法, 对照表列表) {
    Scratch scratch;
    // Each of the six shipped tables: its name, a tab and its phrase rules.
    const std::string list = scratch.run({"-l"}).out;
    EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 6) << list;
    EXPECT_NE(list.find("简体到繁体.txt\t"), std::string::npos) << list;
    EXPECT_TRUE(list.ends_with(" 个词组\n")) << list;
}

struct FailureCase { // NOLINT(clang-analyzer-optin.performance.Padding): a test's table
    const char* name;
    std::vector<std::string> arguments;
    int exitCode;
    std::string message; // found in standard error
    bool convertsA;      // a.txt, when listed after the failure, is still converted
};

// Usage errors and tables that cannot be loaded end the run before any file
// is touched (2); a file that cannot be converted is reported, put back when
// it was already in its backup folder, and the run goes on (1).
const FailureCase kFailures[] = { // NOLINT(cert-err58-cpp): made before any test runs
    {"no table", {"a.txt"}, 2, "tolvane-cli --help", false},
    {"unknown short option", {"-x", "-t", kTable}, 2, "tolvane-cli --help", false},
    {"empty table", {"--table="}, 2, "tolvane-cli --help", false},
    {"value for a flag", {"-q=1", "-t", kTable}, 2, "tolvane-cli --help", false},
    {"names of standard input", {"-t", kTable, "-n"}, 2, "tolvane-cli --help", false},
    {"standard input and a file", {"-t", kTable, "-", "a.txt"}, 2, "tolvane-cli --help", false},
    {"unknown encoding", {"-t", kTable, "-e", "latin1", "a.txt"}, 2, "latin1", false},
    {"unknown table", {"-t", "没有这个表", "a.txt"}, 2, "“没有这个表”；用“tolvane-cli -l”", false},
    {"unreadable table", {"-t", "d/", "a.txt"}, 2, "d/: 内码对照表文件不正常！\n", false},
    {"missing file",
     {"-t", kTable, "没有.txt", "a.txt"},
     1,
     "tolvane-cli: 文件“没有.txt”不存在\n",
     true},
    {"folder without -r", {"-t", kTable, "d", "a.txt"}, 1, "tolvane-cli: d: 是文件夹", true},
    // A failure after the move (a full disk) is the fault matrix's case.
    {"not text", {"-t", kTable, "b.txt ", "a.txt"}, 1, "tolvane-cli: b.txt : ", true}};

TEST(命令行失败, 退出码和消息而不碰别的文件) {
    for (const FailureCase& c : kFailures) {
        SCOPED_TRACE(c.name);
        Scratch scratch;
        writeBytes(scratch / "a.txt", gbk::汉);
        std::filesystem::create_directory(scratch / "d");
        writeBytes(scratch / "d/b.txt", gbk::汉);
        writeBytes(scratch / "b.txt ", gbk::汉 + std::string(1, '\0'));
        const RunResult result = scratch.run(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_TRUE(result.err.starts_with("tolvane-cli: ")) << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(readBytes(scratch / "a.txt"), c.convertsA ? gbk::漢 : gbk::汉);
        EXPECT_EQ(readBytes(scratch / "d/b.txt"), gbk::汉);
        EXPECT_EQ(readBytes(scratch / "b.txt "), gbk::汉 + std::string(1, '\0'));
        EXPECT_FALSE(std::filesystem::exists(scratch / "~Vebzo01.bak/b.txt "));
        EXPECT_FALSE(std::filesystem::exists(scratch / "d/~Vebzo01.bak"));
        EXPECT_TRUE(c.exitCode != 2 || result.out.empty()) << result.out;
    }
}

// A table brings the phrase file of its name from 词组 beside it, unless
// characters only are asked for.
TEST(命令行对照表, 附带的表按名称而别的表按路径或文件名找到并带上词组) {
    Scratch scratch;
    writeBytes(scratch / "表.txt", "a b\r\nc d\r\n");
    std::filesystem::create_directory(scratch / "词组");
    writeBytes(scratch / "词组/表.txt", "ab xy\r\n");
    const std::vector<std::string> forms[] = {
        {"-t", "表.txt"}, {"--table=./表.txt"}, {"-t" + (scratch / "表.txt").string()}};
    for (std::vector<std::string> arguments : forms) {
        arguments.emplace_back("-");
        EXPECT_EQ(scratch.run(arguments, "abcd").out, "xydd") << arguments[0];
    }
    EXPECT_EQ(scratch.run({"-c", "-t", "表.txt"}, "abcd").out, "bbdd");
    EXPECT_EQ(scratch.run({"-t", "简体到繁体"}, gbk::汉 + gbk::国).out, gbk::漢 + gbk::國);
}

} // namespace
} // namespace tolvane::cli_test
