// The progress line appears only on a terminal, so these runs give the program
// a pseudo-terminal as its standard error.
#include "cli_runner.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

namespace tolvane::cli_test {
namespace {

struct TerminalRun {
    int exitCode = -1;
    std::string terminal; // what reached standard error
};

TerminalRun runOnTerminal(const Scratch& scratch, const std::vector<std::string>& arguments) {
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return {};
    const pid_t child = scratch.start(arguments, slave);
    ::close(slave);
    TerminalRun run;
    std::array<char, 4096> buffer{};
    // Reading ends with EIO once the program has closed the terminal.
    for (ssize_t got = 0; (got = ::read(master, buffer.data(), buffer.size())) != 0;) {
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) break;
        run.terminal.append(buffer.data(), static_cast<std::size_t>(got));
    }
    ::close(master);
    run.exitCode = scratch.finish(child).exitCode;
    return run;
}

// Counts and bytes while it runs, erased at the end; nothing when quiet; an
// error line starts a line of its own.
TEST(命令行进度, 终端上显示文件数和字节数而安静模式不显示) {
    Scratch scratch;
    writeBytes(scratch / "a.txt", std::string(2048, 'a'));
    writeBytes(scratch / "b.txt", std::string(1024, 'b'));
    const TerminalRun run = runOnTerminal(scratch, {"-t", "简体到繁体", "a.txt", "b.txt", "无"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.terminal.find("已完成 0/"), std::string::npos) << run.terminal;
    EXPECT_NE(run.terminal.find("个文件，3.0 KB/3.0 KB"), std::string::npos) << run.terminal;
    // The terminal turns "\n" into "\r\n".
    EXPECT_NE(run.terminal.find("tolvane-cli: 文件“无”不存在\r\n"), std::string::npos)
        << run.terminal;
    EXPECT_TRUE(run.terminal.ends_with("\r\033[K")) << run.terminal;
    const TerminalRun quiet = runOnTerminal(scratch, {"-q", "-t", "简体到繁体", "a.txt"});
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.terminal, "");
}

} // namespace
} // namespace tolvane::cli_test
