#include "app/cli/filter_mode.h"

#include "app/cli/interrupt.h"
#include "engine/convert.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/posix/file_io.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <unistd.h>
#include <vector>

namespace tolvane::cli {

namespace {

enum class ReadResult { Complete, Failed, Interrupted };

ReadResult readStandardInput(std::vector<std::uint8_t>& bytes, Console& console) {
    std::array<std::uint8_t, 65536> chunk{};
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, chunk.data(), chunk.size());
        if (got == 0) return ReadResult::Complete;
        if (got > 0) {
            bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
        } else if (errno != EINTR) {
            console.fail(u"标准输入", systemError(errno).description());
            return ReadResult::Failed;
        }
        if (takeInterrupt()) return ReadResult::Interrupted;
    }
}

bool writeStandardOutput(const std::vector<std::uint8_t>& bytes, Console& console) {
    if (posix::writeAll(STDOUT_FILENO, bytes)) return true;
    console.fail(u"标准输出", systemError(errno).description());
    return false;
}

} // namespace

Outcome filterStandardStreams(Console& console) {
    std::vector<std::uint8_t> bytes;
    switch (readStandardInput(bytes, console)) {
    case ReadResult::Failed:
        return Outcome::SomeFailed;
    case ReadResult::Interrupted:
        return Outcome::Interrupted;
    case ReadResult::Complete:
        break;
    }
    std::vector<char16_t> text;
    decodeOemInto(bytes, text);
    if (转换内码(text) || takeInterrupt()) return Outcome::Interrupted;
    encodeOemInto(text, bytes);
    return writeStandardOutput(bytes, console) ? Outcome::Converted : Outcome::SomeFailed;
}

} // namespace tolvane::cli
