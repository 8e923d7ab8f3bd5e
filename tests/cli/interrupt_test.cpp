#include "cli_runner.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <thread>

namespace tolvane::cli_test {
namespace {

// Ctrl-C, kill and a closed terminal stop the run alike, told apart by the
// exit status: the file being converted (in its backup folder, far from
// converted) is put back at its path, those before stay converted and those
// after untouched.
TEST(命令行中断, 正在转换的文件放回原处而退出码按信号) {
    const std::string line = gbk::汉 + gbk::字 + gbk::国 + "0123456789\r\n";
    std::string big;
    while (big.size() < (32U << 20))
        big += line;
    for (const auto& [signal, exitCode] :
         {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}, std::pair{SIGHUP, 129}}) {
        SCOPED_TRACE(signal);
        Scratch scratch;
        writeBytes(scratch / "a.txt", gbk::汉);
        writeBytes(scratch / "big.txt", big);
        writeBytes(scratch / "c.txt", gbk::国);
        const pid_t child = scratch.start({"-t", "简体到繁体", "a.txt", "big.txt", "c.txt"});
        for (int wait = 0; wait < 300000 && !testing::exists(scratch / "~Vebzo01.bak/big.txt");
             ++wait)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        ::kill(child, signal);
        const RunResult result = scratch.finish(child);
        EXPECT_EQ(result.exitCode, exitCode) << result.err;
        EXPECT_TRUE(readBytes(scratch / "big.txt") == big) << "big.txt not put back";
        EXPECT_EQ(readBytes(scratch / "a.txt") + readBytes(scratch / "c.txt"), gbk::漢 + gbk::国);
    }
}

} // namespace
} // namespace tolvane::cli_test
