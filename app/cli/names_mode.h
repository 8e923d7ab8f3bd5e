#pragma once
// File names, exactly as the window's file-names job converts them: the last
// path component through the table, the folder part kept.

#include "app/cli/collect.h"
#include "app/cli/console.h"
#include "app/cli/outcome.h"
#include "engine/table.h"

#include <vector>

namespace tolvane::cli {

// Renames each file and prints "old -> new" for it; never replaces an existing file.
Outcome convertNames(const 内码对照表& table, const std::vector<Item>& items, Console& console);

// Prints "old -> new" for each file that would be renamed; renames nothing.
Outcome previewNames(const 内码对照表& table, const std::vector<Item>& items, Console& console);

} // namespace tolvane::cli
