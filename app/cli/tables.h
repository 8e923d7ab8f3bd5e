#pragma once
// The mapping tables: the ones the window lists too, and loading one.

#include <string>
#include <vector>

namespace tolvane::cli {

// File names of the tables the window lists, sorted.
std::vector<std::string> tableNames();

// A table argument as a file path: a path when it holds a "/" or names an
// existing file, otherwise the table of that name the window lists, whose
// ".txt" may be left out.
std::u16string tablePath(const std::string& argument);

// Resets the table and loads the file by the same rules as the window.
bool loadTable(const std::u16string& path);

} // namespace tolvane::cli
