#include "cli_runner.h"

#include <gtest/gtest.h>

namespace tolvane::cli_test {
namespace {

TEST(命令行过滤, 标准输入逐字节转换到标准输出) {
    Scratch scratch;
    // Stray bytes: a lone 0x80, 0xFF, and a lead byte cut off at the end.
    const std::string input = gbk::汉 + gbk::字 + "\x80" + "abc\r\n\n\xFF" + gbk::国 + "\xBA";
    const std::string expected = gbk::漢 + gbk::字 + "\x80" + "abc\r\n\n\xFF" + gbk::國 + "\xBA";
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"-t", "简体到繁体"}, {"-t", "简体到繁体", "-"}}) {
        const RunResult result = scratch.run(arguments, input);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, expected) << arguments.size();
        EXPECT_EQ(result.err, "");
    }
    EXPECT_TRUE(snapshot(scratch.path()).empty()); // no backup, no file
}

TEST(命令行过滤, 空输入给出空输出) {
    Scratch scratch;
    const RunResult result = scratch.run({"-t", "简体到繁体"}, "");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
}

TEST(命令行过滤, 大输入完整通过) {
    Scratch scratch;
    std::string input;
    std::string expected;
    for (int i = 0; i < 100000; ++i) {
        input += gbk::汉 + "x\r\n";
        expected += gbk::漢 + "x\r\n";
    }
    const RunResult result = scratch.run({"-t", "简体到繁体"}, input);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out == expected, true) << result.out.size();
}

} // namespace
} // namespace tolvane::cli_test
