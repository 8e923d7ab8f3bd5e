#include "engine/state.h"
#include "engine/table.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/files.h"

#include <algorithm>
#include <string_view>

namespace tolvane {

namespace {

// The window gets its turn (and a cancel is noticed) before the 501st line,
// the 1002nd and so on, in the table file and its phrase file alike.
constexpr int kLinesPerTurn = 501;

// The lines of a table file: each ends at CR or CR LF; a lone LF stays inside
// its line. Text after the last line end is one more line.
class LineReader {
  public:
    explicit LineReader(std::u16string_view text) : rest_(text) {}
    bool atEnd() const { return rest_.empty(); }
    std::u16string_view next() {
        const std::size_t end = rest_.find(u'\r');
        const std::u16string_view line = rest_.substr(0, end);
        if (end == std::u16string_view::npos) {
            rest_ = {};
        } else {
            const bool crlf = end + 1 < rest_.size() && rest_[end + 1] == u'\n';
            rest_.remove_prefix(end + (crlf ? 2 : 1));
        }
        return line;
    }

  private:
    std::u16string_view rest_;
};

// A byte that did not decode stands for itself; mapped to or from, it would
// glue itself to the neighbouring byte of every converted text.
bool holdsStrayByte(std::u16string_view text) {
    return std::ranges::any_of(text, isStrayByteUnit);
}

// True when the line set an entry.
bool applyMappingLine(std::u16string_view line, TableBuilder& table) {
    if (line.size() != 3 || line[1] != u' ' || holdsStrayByte(line)) return false;
    table.设置对照(line[0], line[2]);
    return true;
}

// True when the line is a phrase rule: two sides of the same length, two
// units or more, with one space between, as a mapping line is with one unit.
bool applyPhraseLine(std::u16string_view line, TableBuilder& table) {
    const std::size_t half = line.size() / 2;
    if (line.size() % 2 == 0 || line[half] != u' ' || holdsStrayByte(line)) return false;
    return table.加入词组(line.substr(0, half), line.substr(half + 1));
}

// The lines of one file through apply, with the window's turns; false when
// the user cancelled at one of them.
class LineFeeder {
  public:
    explicit LineFeeder(TableLoadWindow& window) : window_(window) {}

    template <typename Apply> bool feed(std::u16string_view text, Apply apply) {
        LineReader lines(text);
        while (!lines.atEnd()) {
            if (++counter_ == kLinesPerTurn && cancelledAtTurn()) return false;
            appliedAny_ |= apply(lines.next());
        }
        return true;
    }
    bool appliedAny() const { return appliedAny_; }

  private:
    bool cancelledAtTurn() {
        counter_ = 0;
        pumpEvents();
        if (!取消标志) return false;
        取消标志 = false;
        window_.clearSelection();
        return true;
    }

    TableLoadWindow& window_;
    int counter_ = 0;
    bool appliedAny_ = false;
};

std::u16string phraseFileOf(const std::u16string& path) {
    return joinPath(joinPath(folderOf(path), std::u16string(kPhraseFolder)), nameOf(path));
}

// The phrase file's text; empty when there is none. Throws Error when it is
// there but cannot be read: a table without its phrases would convert words
// wrongly without a word of warning.
std::u16string phraseText(const std::u16string& path) {
    const std::u16string phrases = phraseFileOf(path);
    if (pathKind(phrases) == PathKind::Missing) return {};
    return decodeAnsi(readWholeFile(phrases));
}

} // namespace

LoadedTable 载入对照表文件(const std::u16string& path, TableLoadWindow& window, bool 使用词组) {
    std::u16string text;
    std::u16string phrases;
    try {
        text = decodeAnsi(readWholeFile(path));
        if (使用词组) phrases = phraseText(path);
    } catch (const Error&) {
        return {LoadOutcome::Unreadable, nullptr};
    }
    window.setCaption(u"正在读取内码对照表...");
    pumpEvents();
    TableBuilder table;
    LineFeeder feeder(window);
    const auto mapping = [&](std::u16string_view line) { return applyMappingLine(line, table); };
    const auto phrase = [&](std::u16string_view line) { return applyPhraseLine(line, table); };
    if (!feeder.feed(text, mapping) || !feeder.feed(phrases, phrase))
        return {LoadOutcome::Cancelled, nullptr};
    if (!feeder.appliedAny()) {
        window.setCaption(kNoMappingLines);
        return {LoadOutcome::MapsNothing, table.build()};
    }
    window.setCaption(u"读取内码对照表完成！");
    return {LoadOutcome::Loaded, table.build()};
}

} // namespace tolvane
