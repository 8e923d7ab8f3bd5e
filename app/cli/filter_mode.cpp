#include "app/cli/filter_mode.h"

#include "app/cli/interrupt.h"
#include "app/cli/terminal.h"
#include "engine/state.h"
#include "engine/stream.h"
#include "platform/error.h"

namespace tolvane::cli {

namespace {

// Standard input cannot go back: what was written to standard output cannot be
// taken back, so the encoding is decided before the first piece is converted.
class StandardInput : public ByteSource {
  public:
    std::size_t read(std::span<std::uint8_t> buffer) override {
        std::size_t filled = 0;
        while (filled < buffer.size()) {
            std::optional<std::size_t> got;
            try {
                got = readStandardInput(buffer.subspan(filled));
            } catch (const Error&) {
                failed = true;
                throw;
            }
            if (got == 0) break;
            if (got) {
                filled += *got;
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
    void write(std::span<const std::uint8_t> bytes) override { writeStandardOutput(bytes); }
    void empty() override {}
};

} // namespace

Outcome filterStandardStreams(const 内码对照表& table, const StreamRequest& request,
                              Console& console) {
    useBinaryStandardStreams();
    StandardInput input;
    StandardOutput output;
    try {
        const StreamResult result = convertStream(table, input, output, request, takeInterrupt);
        return result.cancelled ? Outcome::Interrupted : Outcome::Converted;
    } catch (const CannotEncode&) {
        // What was written of the text stays written: a stream cannot take it back.
        console.fail(u"标准输入", std::current_exception());
        return Outcome::SomeFailed;
    } catch (...) {
        console.fail(input.failed ? u"标准输入" : u"标准输出", std::current_exception());
        return Outcome::SomeFailed;
    }
}

} // namespace tolvane::cli
