#pragma once
// The code mapping table: for every UTF-16 code unit, the unit that replaces it.

#include <array>
#include <cstdint>
#include <string>

namespace tolvane {

namespace detail {
// Indexed by the code unit itself.
extern std::array<char16_t, 65536> 内码对照表;
} // namespace detail

inline char16_t 查表(char16_t unit) {
    return detail::内码对照表[unit];
}
void 设置对照(char16_t from, char16_t to);
// Changes with every change of the table, so that tables derived from it know
// when to be derived again.
std::uint64_t tableGeneration();
// Every entry back to its own code unit; 对照表正常 becomes false.
void 复位对照表();

// The window operations a table load uses.
class TableLoadWindow {
  public:
    virtual ~TableLoadWindow() = default;
    virtual void setCaption(const std::u16string& text) = 0;
    // The 依据 combo loses its selection.
    virtual void clearSelection() = 0;
};

// The caption after a load that set no entry: the file is most likely not a
// table (empty, LF-only, another encoding), so the user is told.
inline constexpr const char16_t* kNoMappingLines = u"对照表没有任何有效的对照行";

// Reads a mapping-table file (ANSI code page) into the table: each line
// "source, space, target" of two single characters sets one entry, every other
// line is skipped. Lets
// the window run before the first line and every 501 lines, and stops there
// when 取消标志 is set (clearing it and the combo's selection). Does not reset
// the table. False when the file cannot be read or the load was cancelled.
bool 载入对照表文件(const std::u16string& path, TableLoadWindow& window);

} // namespace tolvane
