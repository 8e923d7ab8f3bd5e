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

void applyMappingLine(std::u16string_view line) {
    if (line.size() == 3 && line[1] == u' ') 设置对照(line[0], line[2]);
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
        applyMappingLine(lines.next());
    }
    window.setCaption(u"读取内码对照表完成！");
    return true;
}

} // namespace tolvane
