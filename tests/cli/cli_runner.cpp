#include "cli_runner.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tolvane::cli_test {

namespace fs = std::filesystem;

namespace {

void redirect(const fs::path& file, int stream, int flags) {
    const int fd = ::open(file.c_str(), flags, 0644);
    if (fd < 0 || ::dup2(fd, stream) < 0) ::_exit(126);
    ::close(fd);
}

[[noreturn]] void execProgram(const std::vector<std::string>& arguments) {
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

} // namespace

Scratch::Scratch() {
    fs::create_directory(work_);
}

RunResult Scratch::run(const std::vector<std::string>& arguments, const std::string& input) const {
    writeBytes(root_.path() / "in", input);
    return finish(start(arguments));
}

pid_t Scratch::start(const std::vector<std::string>& arguments) const {
    const fs::path io = root_.path();
    if (!fs::exists(io / "in")) writeBytes(io / "in", {});
    const pid_t child = ::fork();
    if (child == 0) {
        if (::chdir(work_.c_str()) != 0) ::_exit(126);
        redirect(io / "in", STDIN_FILENO, O_RDONLY);
        redirect(io / "out", STDOUT_FILENO, O_WRONLY | O_CREAT | O_TRUNC);
        redirect(io / "err", STDERR_FILENO, O_WRONLY | O_CREAT | O_TRUNC);
        execProgram(arguments);
    }
    return child;
}

RunResult Scratch::finish(pid_t child) const {
    int status = 0;
    ::waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readBytes(root_.path() / "out"),
            readBytes(root_.path() / "err")};
}

std::vector<std::pair<std::string, std::string>> snapshot(const fs::path& folder) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(entry.path(), folder).string();
        files.emplace_back(name, entry.is_directory() ? "<folder>" : readBytes(entry.path()));
    }
    std::ranges::sort(files);
    return files;
}

} // namespace tolvane::cli_test
