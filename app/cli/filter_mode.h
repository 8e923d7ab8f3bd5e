#pragma once
// Standard input to standard output through the table, for pipes. The text is
// code page 936; bytes that are not valid there pass through unchanged.

#include "app/cli/console.h"
#include "app/cli/outcome.h"

namespace tolvane::cli {

// Ctrl-C stops before anything is written.
Outcome filterStandardStreams(Console& console);

} // namespace tolvane::cli
