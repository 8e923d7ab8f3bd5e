#include "cli_runner.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace tolvane::cli_test {
namespace {

namespace fs = std::filesystem;

bool waitFor(const fs::path& path) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!fs::exists(path) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    return fs::exists(path);
}

// Ctrl-C, kill and a closed terminal stop the run alike, told apart by the exit
// status: the file being converted is put back, those before are converted and
// those after untouched. Killed outright, the path holds nothing or the whole
// converted text, and a temporary file left behind is no text to the next run.
TEST(命令行中断, 正在转换的文件放回原处之前的已转换之后的不动) {
    std::string big, converted; // far longer to convert than to notice the move and signal
    while (big.size() < (24U << 20)) {
        big += gbk::汉 + gbk::字 + gbk::国 + "0123456789\r\n";
        converted += gbk::漢 + gbk::字 + gbk::國 + "0123456789\r\n";
    }
    const std::pair<int, int> stops[] = {
        {SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}, {SIGKILL, -1}};
    for (const auto& [signal, exitCode] : stops) {
        SCOPED_TRACE(signal);
        Scratch scratch;
        writeBytes(scratch / "a.txt", gbk::汉);
        writeBytes(scratch / "big.txt", big);
        writeBytes(scratch / "c.txt", gbk::国);
        const pid_t child = scratch.start({"-t", "简体到繁体", "a.txt", "big.txt", "c.txt"});
        ASSERT_TRUE(waitFor(scratch / "~Vebzo01.bak/big.txt"));
        ::kill(child, signal);
        const RunResult result = scratch.finish(child);
        EXPECT_EQ(result.exitCode, exitCode) << result.err;
        EXPECT_EQ(readBytes(scratch / "c.txt"), gbk::国);
        EXPECT_FALSE(fs::exists(scratch / "~Vebzo01.bak/c.txt"));
        if (signal != SIGKILL) {
            EXPECT_EQ(readBytes(scratch / "a.txt"), gbk::漢);
            EXPECT_TRUE(readBytes(scratch / "big.txt") == big) << "big.txt not restored";
            EXPECT_TRUE(fs::is_directory(scratch / "~Vebzo01.bak"));
            EXPECT_FALSE(fs::exists(scratch / "~Vebzo01.bak/big.txt"));
            continue;
        }
        EXPECT_TRUE(!fs::exists(scratch / "big.txt") ||
                    readBytes(scratch / "big.txt") == converted);
        EXPECT_TRUE(readBytes(scratch / "~Vebzo01.bak/big.txt") == big);
        const RunResult again = scratch.run({"-t", "简体到繁体", "--dry-run", "-r", "."});
        EXPECT_EQ(again.out.find("~Vebzo-"), std::string::npos) << again.out;
    }
}

} // namespace
} // namespace tolvane::cli_test
