#pragma once
// Where the library's own file lies: its tables are found from there, as the
// programs find theirs from their folder.

#include <string>

namespace tolvane::lib {

// The folder of the library's file, without a trailing separator.
std::u16string libraryFolder();

} // namespace tolvane::lib
