#pragma once
// The mapping tables: the ones shipped beside the program, and loading one.

#include <string>
#include <vector>

namespace tolvane::cli {

// File names in the folder 对照表 beside the program, sorted.
std::vector<std::string> shippedTableNames();

// A table argument as a file path: a path when it holds a "/" or names an
// existing file, otherwise a name in the folder beside the program, whose
// ".txt" may be left out.
std::u16string tablePath(const std::string& argument);

// Resets the table and loads the file by the same rules as the window.
bool loadTable(const std::u16string& path);

} // namespace tolvane::cli
