#include "engine/state.h"
#include "engine/table.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/files.h"

#include <string_view>

namespace tolvane {

namespace {

// The window gets to run (and a cancel is noticed) once every this many lines.
constexpr int kLinesPerYield = 500;

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
bool isCharacter(char16_t unit) {
    return !isStrayByteUnit(unit);
}

// True when the line set an entry.
bool applyMappingLine(std::u16string_view line) {
    if (line.size() != 3 || line[1] != u' ' || !isCharacter(line[0]) || !isCharacter(line[2]))
        return false;
    设置对照(line[0], line[2]);
    return true;
}

} // namespace

bool 载入对照表文件(const std::u16string& path, TableLoadWindow& window) {
    std::u16string text;
    try {
        text = decodeAnsi(readWholeFile(path));
    } catch (const Error&) {
        return false;
    }
    window.setCaption(u"正在读取内码对照表...");
    pumpEvents();
    LineReader lines(text);
    int counter = 0;
    bool mapsSomething = false;
    while (!lines.atEnd()) {
        if (++counter > kLinesPerYield) {
            counter = 0;
            pumpEvents();
            if (取消标志) {
                取消标志 = false;
                window.clearSelection();
                return false;
            }
        }
        mapsSomething |= applyMappingLine(lines.next());
    }
    window.setCaption(mapsSomething ? u"读取内码对照表完成！" : kNoMappingLines);
    return true;
}

} // namespace tolvane
