#pragma once
// What a tolvane_table handle holds.

#include "engine/table.h"
#include "tolvane.h"

#include <string>

struct tolvane_table {
    tolvane::TablePtr table;
    std::string path; // UTF-8
    bool mapsNothing = false;
};

namespace tolvane::lib {

// The handle's table; throws Failure(TOLVANE_ERROR_ARGUMENT) for NULL.
const 内码对照表& tableOf(const tolvane_table* handle);

} // namespace tolvane::lib
