#include "app/cli/filter_mode.h"

#include "app/cli/interrupt.h"
#include "app/cli/terminal.h"
#include "engine/convert.h"
#include "platform/codepage.h"
#include "platform/error.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tolvane::cli {

namespace {

enum class ReadResult { Complete, Failed, Interrupted };

ReadResult readAllInput(std::vector<std::uint8_t>& bytes, Console& console) {
    std::array<std::uint8_t, 65536> chunk{};
    for (;;) {
        std::optional<std::size_t> got;
        try {
            got = cli::readStandardInput(chunk);
        } catch (const Error& error) {
            console.fail(u"标准输入", error.description());
            return ReadResult::Failed;
        }
        if (got == 0) return ReadResult::Complete;
        if (got) bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + *got);
        if (takeInterrupt()) return ReadResult::Interrupted;
    }
}

bool writeAllOutput(const std::vector<std::uint8_t>& bytes, Console& console) {
    try {
        cli::writeStandardOutput(bytes);
        return true;
    } catch (const Error& error) {
        console.fail(u"标准输出", error.description());
        return false;
    }
}

} // namespace

Outcome filterStandardStreams(Console& console) {
    useBinaryStandardStreams();
    std::vector<std::uint8_t> bytes;
    switch (readAllInput(bytes, console)) {
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
    return writeAllOutput(bytes, console) ? Outcome::Converted : Outcome::SomeFailed;
}

} // namespace tolvane::cli
