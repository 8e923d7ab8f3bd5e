#include "app/cli/terminal.h"
#include "platform/error.h"
#include "platform/posix/file_io.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace tolvane::cli {

void writeText(Stream stream, std::string_view utf8) {
    std::FILE* file = stream == Stream::Output ? stdout : stderr;
    std::fwrite(utf8.data(), 1, utf8.size(), file);
    std::fflush(file);
}

bool canRedraw(Stream stream) {
    return ::isatty(stream == Stream::Output ? STDOUT_FILENO : STDERR_FILENO);
}

void useBinaryStandardStreams() {}

std::optional<std::size_t> readStandardInput(std::span<std::uint8_t> buffer) {
    const ssize_t got = ::read(STDIN_FILENO, buffer.data(), buffer.size());
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno == EINTR) return std::nullopt;
    throw systemError(errno);
}

void writeStandardOutput(std::span<const std::uint8_t> bytes) {
    if (!posix::writeAll(STDOUT_FILENO, bytes)) throw systemError(errno);
}

} // namespace tolvane::cli
