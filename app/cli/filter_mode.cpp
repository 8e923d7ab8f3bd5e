#include "app/cli/filter_mode.h"

#include "app/cli/interrupt.h"
#include "engine/state.h"
#include "engine/stream.h"
#include "platform/error.h"
#include "platform/posix/file_io.h"

#include <cerrno>
#include <unistd.h>

namespace tolvane::cli {

namespace {

// Standard input cannot go back: what was written to standard output cannot be
// taken back, so the encoding is decided before the first piece is converted.
class StandardInput : public ByteSource {
  public:
    std::size_t read(std::span<std::uint8_t> buffer) override {
        std::size_t filled = 0;
        while (filled < buffer.size()) {
            const ssize_t got =
                ::read(STDIN_FILENO, buffer.data() + filled, buffer.size() - filled);
            if (got == 0) break;
            if (got > 0) {
                filled += static_cast<std::size_t>(got);
            } else if (errno != EINTR) {
                failed = true;
                throw systemError(errno);
            } else if (取消标志) {
                break; // Ctrl-C: the stop after this piece ends the run
            }
        }
        return filled;
    }
    bool canRewind() const override { return false; }
    void rewind() override {}

    bool failed = false;
};

class StandardOutput : public ByteSink {
  public:
    void write(std::span<const std::uint8_t> bytes) override {
        if (!posix::writeAll(STDOUT_FILENO, bytes)) throw systemError(errno);
    }
    void empty() override {}
};

} // namespace

Outcome filterStandardStreams(Encoding encoding, Console& console) {
    StandardInput input;
    StandardOutput output;
    try {
        const StreamResult result = convertStream(input, output, encoding, takeInterrupt);
        return result.cancelled ? Outcome::Interrupted : Outcome::Converted;
    } catch (...) {
        console.fail(input.failed ? u"标准输入" : u"标准输出",
                     describeException(std::current_exception()));
        return Outcome::SomeFailed;
    }
}

} // namespace tolvane::cli
