// The table loader on any file: the table holds exactly the mappings of the
// lines read before a cancel (or of all lines), and a cancel is noticed before
// every 501st line and reported. Input: the event pump call at which the user
// cancels (0: never), then the file's bytes.

#include "engine/state.h"
#include "engine/table.h"
#include "fuzz_check.h"
#include "platform/codepage.h"
#include "tests/common/scratch_folder.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

using namespace tolvane;

namespace {

struct RecordingWindow : TableLoadWindow {
    void setCaption(const std::u16string&) override {}
    void clearSelection() override { cleared = true; }
    bool cleared = false;
};

// Lines end at CR or CR LF; a lone LF stays inside.
std::vector<std::u16string> linesOf(const std::u16string& text) {
    std::vector<std::u16string> lines{u""};
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r') {
            lines.back() += text[i];
            continue;
        }
        lines.emplace_back();
        i += i + 1 < text.size() && text[i + 1] == u'\n';
    }
    if (lines.back().empty()) lines.pop_back();
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const testing::ScratchFolder folder;
    static const auto identity = [] { // tables compared by memcmp: a loop costs more than the load
        复位对照表();
        return detail::内码对照表;
    }();
    static auto expected = identity;
    if (size == 0) return 0;
    const int cancelAt = data[0];
    testing::writeBytes(folder / "表.txt", {reinterpret_cast<const char*>(data + 1), size - 1});
    int pumps = 0;
    setEventPump([&] {
        if (++pumps == cancelAt) 取消标志 = true;
    });
    复位对照表();
    RecordingWindow window;
    const bool loaded = 载入对照表文件(folder / u"表.txt", window);
    setEventPump(nullptr);

    // The pump runs before the first line (not checked) and before every 501st after it.
    const auto lines = linesOf(decodeAnsi({data + 1, size - 1}));
    const std::size_t before = static_cast<std::size_t>(std::max(cancelAt, 2) - 1) * 501 - 1;
    const auto cancelled =
        cancelAt != 0 && before < lines.size() ? std::optional(before) : std::nullopt;
    check(loaded != cancelled.has_value() && window.cleared == cancelled.has_value(),
          "a cancel is reported and clears the selection");
    check(!cancelled || !取消标志, "a noticed cancel is cleared");
    取消标志 = false;
    expected = identity;
    for (std::size_t i = 0; i < cancelled.value_or(lines.size()); ++i) {
        const std::u16string& line = lines[i];
        // A byte that does not decode is no character to map from or to.
        if (line.size() == 3 && line[1] == u' ' && !isStrayByteUnit(line[0]) &&
            !isStrayByteUnit(line[2]))
            expected[line[0]] = line[2];
    }
    check(std::memcmp(expected.data(), detail::内码对照表.data(), sizeof expected) == 0,
          "the table holds the lines' mappings");
    return 0;
}
