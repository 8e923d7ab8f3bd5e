#include "app/cli/console.h"

#include "platform/utf8.h"

#include <cstdio>
#include <unistd.h>

namespace tolvane::cli {

Console::Console(bool progressWanted) : progress_(progressWanted && ::isatty(STDERR_FILENO)) {}

Console::~Console() {
    progress_.clear();
}

void Console::print(const std::string& line) {
    progress_.clear();
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

void Console::fail(const std::string& message) {
    warn(message);
}

void Console::warn(const std::string& message) {
    progress_.clear();
    std::fputs(("tolvane-cli: " + message + "\n").c_str(), stderr);
}

void Console::fail(const std::u16string& path, const std::string& reason) {
    fail(toUtf8(path) + ": " + reason);
}

void Console::fail(const std::u16string& path, const std::u16string& reason) {
    fail(path, toUtf8(reason));
}

} // namespace tolvane::cli
