#pragma once
// Runs the built tolvane-cli as a user would, in a scratch folder, and reads
// back what it printed and left on disk.

#include "common/scratch_folder.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tolvane::cli_test {

using testing::readBytes;
using testing::writeBytes;

namespace detail {

inline void redirect(const std::filesystem::path& file, int stream, int flags) {
    const int fd = ::open(file.c_str(), flags, 0644);
    if (fd < 0 || ::dup2(fd, stream) < 0) ::_exit(126);
    ::close(fd);
}

[[noreturn]] inline void execProgram(const std::vector<std::string>& arguments) {
    std::vector<char*> argv{const_cast<char*>(TOLVANE_CLI)};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    // Started as from a terminal: the program would keep ignoring a stop
    // signal that whatever runs the tests happens to ignore.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, SIG_DFL);
    ::execv(TOLVANE_CLI, argv.data());
    ::_exit(127);
}

} // namespace detail

struct RunResult {
    int exitCode = -1; // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// The folder the program runs in; its standard streams are kept outside it.
class Scratch {
  public:
    Scratch() { std::filesystem::create_directory(work_); }

    const std::filesystem::path& path() const { return work_; }
    std::filesystem::path operator/(const std::string& name) const { return work_ / name; }

    // Runs the program in this folder with the input on standard input.
    RunResult run(const std::vector<std::string>& arguments, const std::string& input = {}) const {
        writeBytes(root_.path() / "in", input);
        return finish(start(arguments));
    }
    // Starts it without waiting, with no input; finish() collects the result.
    pid_t start(const std::vector<std::string>& arguments) const {
        const std::filesystem::path io = root_.path();
        if (!std::filesystem::exists(io / "in")) writeBytes(io / "in", {});
        const pid_t child = ::fork();
        if (child == 0) {
            if (::chdir(work_.c_str()) != 0) ::_exit(126);
            detail::redirect(io / "in", STDIN_FILENO, O_RDONLY);
            detail::redirect(io / "out", STDOUT_FILENO, O_WRONLY | O_CREAT | O_TRUNC);
            detail::redirect(io / "err", STDERR_FILENO, O_WRONLY | O_CREAT | O_TRUNC);
            detail::execProgram(arguments);
        }
        return child;
    }
    RunResult finish(pid_t child) const {
        int status = 0;
        ::waitpid(child, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readBytes(root_.path() / "out"),
                readBytes(root_.path() / "err")};
    }

  private:
    testing::ScratchFolder root_;
    std::filesystem::path work_ = root_.path() / "work";
};

// Every file below the folder, relative path to contents, sorted by path.
inline std::vector<std::pair<std::string, std::string>> snapshot(
    const std::filesystem::path& folder) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string name = std::filesystem::relative(entry.path(), folder).string();
        files.emplace_back(name, entry.is_directory() ? "<folder>" : readBytes(entry.path()));
    }
    std::ranges::sort(files);
    return files;
}

// Code page 936 bytes of a few characters the tests use.
namespace gbk {
inline const std::string 汉 = "\xBA\xBA";
inline const std::string 漢 = "\x9D\x68";
inline const std::string 字 = "\xD7\xD6";
inline const std::string 国 = "\xB9\xFA";
inline const std::string 國 = "\x87\xF8";
} // namespace gbk

} // namespace tolvane::cli_test
