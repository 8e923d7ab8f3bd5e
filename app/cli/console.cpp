#include "app/cli/console.h"

#include "app/cli/terminal.h"
#include "engine/encoding.h"
#include "platform/error.h"
#include "platform/utf8.h"

namespace tolvane::cli {

Console::Console(bool progressWanted) : progress_(progressWanted && canRedraw(Stream::Error)) {}

Console::~Console() {
    progress_.clear();
}

void Console::print(const std::string& line) {
    progress_.clear();
    writeText(Stream::Output, line + "\n");
}

void Console::fail(const std::string& message) {
    warn(message);
}

void Console::warn(const std::string& message) {
    progress_.clear();
    writeText(Stream::Error, "tolvane-cli: " + message + "\n");
}

void Console::fail(const std::u16string& path, const std::string& reason) {
    fail(toUtf8(path) + ": " + reason);
}

void Console::fail(const std::u16string& path, const std::u16string& reason) {
    fail(path, toUtf8(reason));
}

void Console::fail(const std::u16string& path, const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const CannotEncode& refusal) {
        std::string ways;
        for (const Encoding other : refusal.alternatives())
            ways += (ways.empty() ? "，请用 --to " : " 或 --to ") + optionName(other);
        fail(path, toUtf8(refusal.description()) + ways);
    } catch (...) {
        fail(path, describeException(failure));
    }
}

} // namespace tolvane::cli
