#include "cli_runner.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace tolvane::cli_test {
namespace {

namespace fs = std::filesystem;

// Big enough that decoding, converting and writing it take far longer than it
// takes to notice the move into the backup folder and send the signal.
std::string bigText() {
    const std::string line = gbk::汉 + gbk::字 + gbk::国 + "0123456789\r\n";
    std::string text;
    text.reserve(24U << 20);
    while (text.size() < (24U << 20))
        text += line;
    return text;
}

bool waitFor(const fs::path& path) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!fs::exists(path)) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

// Ctrl-C, kill and a closed terminal all stop the run the same way; only the
// exit status tells them apart.
struct StopSignal {
    int number;
    const char* name;
    int exitCode;
};
constexpr StopSignal kStopSignals[] = {
    {SIGINT, "SIGINT", 130}, {SIGTERM, "SIGTERM", 143}, {SIGHUP, "SIGHUP", 129}};

TEST(命令行中断, 正在转换的文件放回原处之前的已转换之后的不动) {
    const std::string big = bigText();
    for (const StopSignal& stop : kStopSignals) {
        SCOPED_TRACE(stop.name);
        Scratch scratch;
        writeBytes(scratch / "a.txt", gbk::汉);
        writeBytes(scratch / "big.txt", big);
        writeBytes(scratch / "c.txt", gbk::国);

        const pid_t child = scratch.start({"-t", "简体到繁体", "a.txt", "big.txt", "c.txt"});
        ASSERT_TRUE(waitFor(scratch / "~Vebzo01.bak/big.txt"));
        ::kill(child, stop.number);
        const RunResult result = scratch.finish(child);

        EXPECT_EQ(result.exitCode, stop.exitCode) << result.err;
        EXPECT_EQ(readBytes(scratch / "a.txt"), gbk::漢);
        EXPECT_TRUE(readBytes(scratch / "big.txt") == big) << "big.txt not restored byte for byte";
        EXPECT_TRUE(fs::is_directory(scratch / "~Vebzo01.bak"));
        EXPECT_FALSE(fs::exists(scratch / "~Vebzo01.bak/big.txt"));
        EXPECT_EQ(readBytes(scratch / "c.txt"), gbk::国);
        EXPECT_FALSE(fs::exists(scratch / "~Vebzo01.bak/c.txt"));
    }
}

} // namespace
} // namespace tolvane::cli_test
