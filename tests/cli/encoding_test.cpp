// Encodings, files that are not text, and a run killed in the middle, as a
// user of tolvane-cli meets them.

#include "cli_runner.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>

namespace tolvane::cli_test {
namespace {

namespace fs = std::filesystem;

const std::string kUtf8汉 = "\xE6\xB1\x89";
const std::string kUtf8漢 = "\xE6\xBC\xA2";

TEST(命令行编码, 各种编码的文件按原编码转换而非文本文件算失败) {
    Scratch scratch;
    writeBytes(scratch / "u8.txt", kUtf8汉 + "\n");
    writeBytes(scratch / "g.txt", gbk::汉 + "\n");
    writeBytes(scratch / "u16.txt", std::string("\xFF\xFE\x49\x6C", 4));
    writeBytes(scratch / "forced.txt", gbk::汉);
    writeBytes(scratch / "bin.dat", std::string("\x7F"
                                                "ELF\0\0",
                                                6));

    const RunResult preview = scratch.run({"-t", "简体到繁体", "--dry-run", "u8.txt", "u16.txt"});
    EXPECT_EQ(preview.out,
              "u8.txt: UTF-8, 1 个字符将被转换\nu16.txt: UTF-16LE, 1 个字符将被转换\n");

    const RunResult result =
        scratch.run({"-t", "简体到繁体", "u8.txt", "g.txt", "u16.txt", "bin.dat"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "tolvane-cli: bin.dat: 不是文本文件\n");
    EXPECT_EQ(readBytes(scratch / "u8.txt"), kUtf8漢 + "\n");
    EXPECT_EQ(readBytes(scratch / "g.txt"), gbk::漢 + "\n");
    EXPECT_EQ(readBytes(scratch / "u16.txt"), std::string("\xFF\xFE\x22\x6F", 4));
    EXPECT_EQ(readBytes(scratch / "bin.dat"), std::string("\x7F"
                                                          "ELF\0\0",
                                                          6));

    // Forced the other way: 936 bytes read as UTF-8 do not decode and stay.
    EXPECT_EQ(scratch.run({"-t", "简体到繁体", "-e", "utf-8", "forced.txt"}).exitCode, 0);
    EXPECT_EQ(readBytes(scratch / "forced.txt"), gbk::汉);
    // UTF-16 without a mark holds NUL bytes, but is text when it is named.
    writeBytes(scratch / "raw16.txt", std::string("a\0\x49\x6C", 4));
    EXPECT_EQ(scratch.run({"-t", "简体到繁体", "-e", "UTF-16LE", "raw16.txt"}).exitCode, 0);
    EXPECT_EQ(readBytes(scratch / "raw16.txt"), std::string("a\0\x22\x6F", 4));
    EXPECT_EQ(scratch.run({"-t", "简体到繁体", "--encoding=utf-8"}, kUtf8汉).out, kUtf8漢);
    EXPECT_EQ(scratch.run({"-t", "简体到繁体", "-e", "latin1"}).exitCode, 2);
}

// Killed at any moment, the file's path holds nothing or the whole converted
// text, the original is in its backup folder, and a temporary file left
// behind is not taken for a text by the next run.
TEST(命令行编码, 被强行终止后路径上不会有半截文件) {
    Scratch scratch;
    std::string text;
    std::string converted;
    while (text.size() < (48U << 20)) {
        text += gbk::汉 + "0123456789\r\n";
        converted += gbk::漢 + "0123456789\r\n";
    }
    writeBytes(scratch / "big.txt", text);
    const pid_t child = scratch.start({"-t", "简体到繁体", "big.txt"});
    while (!fs::exists(scratch / "~Vebzo01.bak/big.txt"))
        std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ::kill(child, SIGKILL);
    scratch.finish(child);

    if (fs::exists(scratch / "big.txt")) {
        EXPECT_TRUE(readBytes(scratch / "big.txt") == converted) << "a cut-short file";
    }
    EXPECT_TRUE(readBytes(scratch / "~Vebzo01.bak/big.txt") == text);
    const RunResult again = scratch.run({"-t", "简体到繁体", "--dry-run", "-r", "."});
    EXPECT_EQ(again.out.find("~Vebzo-"), std::string::npos) << again.out;
}

} // namespace
} // namespace tolvane::cli_test
