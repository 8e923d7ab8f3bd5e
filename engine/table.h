#pragma once
// The code mapping table: for every UTF-16 code unit the unit that replaces it,
// and the phrase rules that go before it. A loaded table is a value: it does not
// change, every conversion is handed the one it uses, and threads may share it.

#include "engine/phrases.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tolvane {

struct FastTables;

class 内码对照表 {
  public:
    ~内码对照表();
    内码对照表(const 内码对照表&) = delete;
    内码对照表& operator=(const 内码对照表&) = delete;

    char16_t 查表(char16_t unit) const { return units_[unit]; }
    const PhraseRules& 词组() const { return phrases_; }
    // What the fast paths look up instead of decoding, converting and encoding.
    const FastTables& fast() const { return *fast_; }

  private:
    friend class TableBuilder;
    内码对照表();

    std::array<char16_t, 65536> units_{};
    PhraseRules phrases_;
    std::unique_ptr<const FastTables> fast_;
};

using TablePtr = std::shared_ptr<const 内码对照表>;

// A table filled line by line; it starts as the identity.
class TableBuilder {
  public:
    TableBuilder();
    void 设置对照(char16_t from, char16_t to);
    // False when the two are no phrase rule (see PhraseRulesBuilder::add).
    bool 加入词组(std::u16string_view source, std::u16string_view target);
    // The finished table; the builder is used up.
    TablePtr build();

  private:
    std::unique_ptr<内码对照表> table_;
    PhraseRulesBuilder phrases_;
};

// The identity: converting through it changes nothing.
TablePtr identityTable();

// The window operations a table load uses.
class TableLoadWindow {
  public:
    virtual ~TableLoadWindow() = default;
    virtual void setCaption(const std::u16string& text) = 0;
    // The 依据 combo loses its selection.
    virtual void clearSelection() = 0;
};

// The caption after a load that set no entry.
inline constexpr const char16_t* kNoMappingLines = u"对照表没有任何有效的对照行";

enum class LoadOutcome {
    Loaded,
    // Loaded, but no line mapped anything: most likely not a table (empty,
    // LF-only, another encoding), so the user is told.
    MapsNothing,
    Cancelled,
    Unreadable,
};

struct LoadedTable {
    LoadOutcome outcome = LoadOutcome::Unreadable;
    TablePtr table; // set when Loaded or MapsNothing
};

// The folder beside a table file that holds the phrase rules of the table of
// the same name.
inline constexpr std::u16string_view kPhraseFolder = u"词组";

// Reads a mapping-table file (ANSI code page): each line "source, space,
// target" of two single characters sets one entry, every other line is
// skipped; a later line for the same source wins. With 使用词组 the phrase
// file of the same name in 词组 beside it adds its rules, when there is one.
// Lets the window run before the first line and once every 501 lines, and
// stops there when 取消标志 is set (clearing it and the combo's selection).
LoadedTable 载入对照表文件(const std::u16string& path, TableLoadWindow& window, bool 使用词组);

} // namespace tolvane
