// The table loader on any table file and phrase file: the table holds exactly
// the mappings and phrase rules of their lines (a later line for the same
// source winning), a cancel is noticed before every 501st line of the two
// files together and reported. Input: the event pump call at which the user
// cancels (0: never), the share of the rest that is the table file (the
// phrase file gets the remainder), then the bytes.

#include "engine/state.h"
#include "engine/table.h"
#include "fuzz_check.h"
#include "platform/codepage.h"
#include "tests/common/scratch_folder.h"

#include <algorithm>
#include <filesystem>
#include <map>
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

bool holdsStray(const std::u16string& line) {
    return std::ranges::any_of(line, isStrayByteUnit);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const testing::ScratchFolder folder;
    static const bool made = std::filesystem::create_directory(folder / "词组");
    (void)made;
    if (size < 2) return 0;
    const int cancelAt = data[0];
    const std::size_t tableSize = (size - 2) * data[1] / 255;
    const std::span<const std::uint8_t> tableBytes{data + 2, tableSize};
    const std::span<const std::uint8_t> phraseBytes{data + 2 + tableSize, size - 2 - tableSize};
    const auto text = [](std::span<const std::uint8_t> bytes) {
        return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    };
    testing::writeBytes(folder / "表.txt", text(tableBytes));
    testing::writeBytes(folder / "词组/表.txt", text(phraseBytes));
    int pumps = 0;
    setEventPump([&] {
        if (++pumps == cancelAt) 取消标志 = true;
    });
    RecordingWindow window;
    const LoadedTable loaded = 载入对照表文件(folder / u"表.txt", window, true);
    setEventPump(nullptr);

    // The pump runs before the first line (not checked) and before every 501st after it.
    const auto tableLines = linesOf(decodeAnsi(tableBytes));
    const auto phraseLines = linesOf(decodeAnsi(phraseBytes));
    const std::size_t before = static_cast<std::size_t>(std::max(cancelAt, 2) - 1) * 501 - 1;
    const bool cancelled = cancelAt != 0 && before < tableLines.size() + phraseLines.size();
    check((loaded.outcome == LoadOutcome::Cancelled) == cancelled && window.cleared == cancelled,
          "a cancel is reported and clears the selection");
    check(!cancelled || !取消标志, "a noticed cancel is cleared");
    取消标志 = false;
    if (cancelled) return 0;

    std::map<char16_t, char16_t> characters;
    for (const std::u16string& line : tableLines)
        if (line.size() == 3 && line[1] == u' ' && !holdsStray(line)) characters[line[0]] = line[2];
    for (unsigned unit = 0; unit < 65536; ++unit) {
        const auto entry = characters.find(static_cast<char16_t>(unit));
        const char16_t expected = entry == characters.end() ? unit : entry->second;
        check(loaded.table->查表(static_cast<char16_t>(unit)) == expected,
              "the table holds the lines' mappings");
    }
    std::map<std::u16string, std::u16string> phrases;
    for (const std::u16string& line : phraseLines) {
        const std::size_t half = line.size() / 2;
        if (half >= 2 && line.size() % 2 == 1 && line[half] == u' ' && !holdsStray(line))
            phrases[line.substr(0, half)] = line.substr(half + 1);
    }
    const PhraseRules& rules = loaded.table->词组();
    check(rules.size() == phrases.size(), "one rule per source");
    for (const auto& [source, target] : phrases) {
        const PhraseRules::Match match = rules.longestAt(source);
        check(match.length == source.size() &&
                  std::equal(target.begin(), target.end(), match.target),
              "the last rule of each source is kept");
    }
    return 0;
}
