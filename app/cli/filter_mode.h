#pragma once
// Standard input to standard output through the table, for pipes, piece by
// piece. The encoding is detected as for files (by the first piece when the
// input is longer), or given; bytes that do not decode pass through unchanged.

#include "app/cli/console.h"
#include "app/cli/outcome.h"
#include "engine/encoding.h"
#include "engine/stream.h"
#include "engine/table.h"

namespace tolvane::cli {

// Ctrl-C stops between two pieces.
Outcome filterStandardStreams(const 内码对照表& table, const StreamRequest& request,
                              Console& console);

} // namespace tolvane::cli
