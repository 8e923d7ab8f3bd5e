#include "cli_runner.h"

#include <gtest/gtest.h>

namespace tolvane::cli_test {
namespace {

TEST(命令行用法, 版本) {
    Scratch scratch;
    for (const char* option : {"-V", "--version"}) {
        const RunResult result = scratch.run({option});
        EXPECT_EQ(result.exitCode, 0) << option;
        EXPECT_EQ(result.out, "Tolvane 0.95\n") << option;
    }
}

TEST(命令行用法, 帮助是中文并列出每个选项) {
    Scratch scratch;
    const RunResult result = scratch.run({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("用法："), std::string::npos);
    for (const char* option : {"-t, --table", "-n, --names", "-r, --recursive", "--dry-run",
                               "-q, --quiet", "-l, --list-tables", "-h, --help", "-V, --version"})
        EXPECT_NE(result.out.find(option), std::string::npos) << option;
    EXPECT_EQ(scratch.run({"-h"}).out, result.out);
}

TEST(命令行用法, 列出程序旁的对照表) {
    Scratch scratch;
    for (const char* option : {"-l", "--list-tables"}) {
        const RunResult result = scratch.run({option});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out, "简体到繁体.txt\n繁体到简体.txt\n");
    }
}

TEST(命令行用法, 用法错误退出码为二且不碰文件) {
    const std::vector<std::vector<std::string>> wrong{
        {"a.txt"},                       // no table
        {"-x", "-t", "简体到繁体"},      // unknown short option
        {"--bogus", "-t", "简体到繁体"}, // unknown long option
        {"-t"},                          // table without its value
        {"--table="},
        {"-q=1", "-t", "简体到繁体"},
        {"--quiet=1", "-t", "简体到繁体"},
        {"-t", "简体到繁体", "-n"}, // names of standard input
        {"-t", "简体到繁体", "-r", "-"},
        {"-t", "简体到繁体", "--dry-run"},
        {"-t", "简体到繁体", "-", "a.txt"},
    };
    for (const auto& arguments : wrong) {
        Scratch scratch;
        writeBytes(scratch / "a.txt", gbk::汉);
        const RunResult result = scratch.run(arguments);
        const std::string shown = arguments.empty() ? "" : arguments[0];
        EXPECT_EQ(result.exitCode, 2) << shown;
        EXPECT_TRUE(result.err.starts_with("tolvane-cli: ")) << result.err;
        EXPECT_NE(result.err.find("tolvane-cli --help"), std::string::npos) << shown;
        EXPECT_EQ(result.out, "") << shown;
        EXPECT_EQ(readBytes(scratch / "a.txt"), gbk::汉) << shown;
    }
}

TEST(命令行对照表, 不能载入时报错退出码为二且不碰文件) {
    Scratch scratch;
    writeBytes(scratch / "a.txt", gbk::汉);
    for (const char* table : {"没有这个表", "./没有这个表.txt", "."}) {
        const RunResult result = scratch.run({"-t", table, "a.txt"});
        EXPECT_EQ(result.exitCode, 2) << table;
        EXPECT_EQ(result.err, std::string("tolvane-cli: ") + table + ": 内码对照表文件不正常！\n");
    }
    EXPECT_EQ(snapshot(scratch.path()).size(), 1U);
    EXPECT_EQ(readBytes(scratch / "a.txt"), gbk::汉);
}

TEST(命令行对照表, 附带的表按名称找到且扩展名可省略) {
    Scratch scratch;
    for (const char* table : {"简体到繁体", "简体到繁体.txt"}) {
        const RunResult result = scratch.run({"-t", table}, gbk::汉 + gbk::国);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, gbk::漢 + gbk::國) << table;
    }
    EXPECT_EQ(scratch.run({"-t", "繁体到简体"}, gbk::漢 + gbk::國).out, gbk::汉 + gbk::国);
}

TEST(命令行对照表, 路径或当前文件夹里的文件名都可用) {
    Scratch scratch;
    writeBytes(scratch / "表.txt", "a b\r\nc d\r\n");
    for (const std::vector<std::string>& table : {std::vector<std::string>{"-t", "表.txt"},
                                                  {"-t", "./表.txt"},
                                                  {"--table=表.txt"},
                                                  {"--table", "表.txt"},
                                                  {"-t表.txt"},
                                                  {"-t", (scratch / "表.txt").string()}}) {
        std::vector<std::string> arguments = table;
        arguments.emplace_back("-");
        const RunResult result = scratch.run(arguments, "abcd");
        EXPECT_EQ(result.exitCode, 0) << table[0] << result.err;
        EXPECT_EQ(result.out, "bbdd") << table[0];
    }
}

} // namespace
} // namespace tolvane::cli_test
