#include "cli_runner.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace tolvane::cli_test {

namespace fs = std::filesystem;

namespace {

fs::path makeTempFolder() {
    std::string pattern = (fs::temp_directory_path() / "tolvane-cli-XXXXXX").string();
    return ::mkdtemp(pattern.data());
}

void redirect(const fs::path& file, int stream, int flags) {
    const int fd = ::open(file.c_str(), flags, 0644);
    if (fd < 0 || ::dup2(fd, stream) < 0) ::_exit(126);
    ::close(fd);
}

[[noreturn]] void execCli(const fs::path& folder, const fs::path& io,
                          const std::vector<std::string>& arguments) {
    if (::chdir(folder.c_str()) != 0) ::_exit(126);
    redirect(io / "in", STDIN_FILENO, O_RDONLY);
    redirect(io / "out", STDOUT_FILENO, O_WRONLY | O_CREAT | O_TRUNC);
    redirect(io / "err", STDERR_FILENO, O_WRONLY | O_CREAT | O_TRUNC);
    execProgram(arguments);
}

} // namespace

void execProgram(const std::vector<std::string>& arguments) {
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

Scratch::Scratch() : path_(makeTempFolder() / "work"), io_(path_.parent_path()) {
    fs::create_directory(path_);
}

Scratch::~Scratch() {
    std::error_code ignored;
    fs::remove_all(io_, ignored);
}

RunResult Scratch::run(const std::vector<std::string>& arguments, const std::string& input) const {
    writeBytes(io_ / "in", input);
    return finish(start(arguments));
}

pid_t Scratch::start(const std::vector<std::string>& arguments) const {
    if (!fs::exists(io_ / "in")) writeBytes(io_ / "in", {});
    const pid_t child = ::fork();
    if (child == 0) execCli(path_, io_, arguments);
    return child;
}

RunResult Scratch::finish(pid_t child) const {
    int status = 0;
    ::waitpid(child, &status, 0);
    RunResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readBytes(io_ / "out");
    result.err = readBytes(io_ / "err");
    return result;
}

std::string readBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return std::move(bytes).str();
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
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
