#include "cli_runner.h"

#include <gtest/gtest.h>

namespace tolvane::cli_test {
namespace {

// Through the streaming path: stray bytes (a lone 0x80, 0xFF, a lead byte cut
// off at the end) come out as they went in, across many pieces.
TEST(命令行过滤, 标准输入逐字节转换到标准输出) {
    Scratch scratch;
    std::string input;
    std::string expected;
    for (int i = 0; i < 100000; ++i) {
        input += gbk::汉 + gbk::字 + "\x80" + "x\r\n\xFF";
        expected += gbk::漢 + gbk::字 + "\x80" + "x\r\n\xFF";
    }
    input += "\xBA";
    expected += "\xBA";
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"-t", "简体到繁体"}, {"-t", "简体到繁体", "-"}}) {
        const RunResult result = scratch.run(arguments, input);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_TRUE(result.out == expected) << arguments.size();
        EXPECT_EQ(result.err, "");
    }
    EXPECT_EQ(scratch.run({"-t", "简体到繁体"}, "").out, "");
    EXPECT_TRUE(snapshot(scratch.path()).empty()); // no backup, no file
}

} // namespace
} // namespace tolvane::cli_test
