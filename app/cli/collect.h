#pragma once
// The files a run works on, gathered from the arguments before anything changes,
// so the backup folders the run itself creates are never walked into.

#include "app/cli/console.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tolvane::cli {

struct Item {
    std::u16string path;
    std::uintmax_t size = 0;
};

struct Collection {
    std::vector<Item> items;
    bool failed = false; // some argument was reported and left out
};

// Each argument that is a file, in the order given. A folder stands for every
// regular file below it when recursive (sorted by name, backup folders and
// symbolic links left out and counted in a note), and is reported and skipped
// otherwise; a missing path is reported. A link named as an argument is kept:
// its file is converted where it lies.
Collection collectItems(const std::vector<std::string>& arguments, bool recursive,
                        Console& console);

} // namespace tolvane::cli
