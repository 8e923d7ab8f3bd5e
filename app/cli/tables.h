#pragma once
// The mapping tables: the ones the window lists too, and loading one.

#include "engine/table.h"

#include <optional>
#include <string>
#include <vector>

namespace tolvane::cli {

struct ListedTable {
    std::string name; // the file name, as the window lists it
    std::size_t phrases = 0;
};

// The tables the window lists, sorted, with the phrase rules each brings.
std::vector<ListedTable> listedTables();

// A table argument as a file path: a path when it holds a separator or names
// an existing file, otherwise the table of that name the window lists, whose
// ".txt" may be left out. Nothing when no such file exists.
std::optional<std::u16string> tablePath(const std::string& argument);

// Loads the file by the same rules as the window; a table that maps nothing
// is loaded with a warning on standard error, since every conversion would
// then silently change nothing.
LoadedTable loadTable(const std::u16string& path, bool phrases);

} // namespace tolvane::cli
