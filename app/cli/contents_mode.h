#pragma once
// File contents, exactly as the window's files job converts them: each file
// moved into its backup folder and its converted text written at its path.

#include "app/cli/collect.h"
#include "app/cli/console.h"
#include "app/cli/outcome.h"
#include "engine/encoding.h"
#include "engine/stream.h"
#include "engine/table.h"

#include <vector>

namespace tolvane::cli {

// In order. A failure after the move, or Ctrl-C during a file, puts that file
// back at its path unconverted; Ctrl-C also ends the run before the next file.
// A file that is not text is left alone and counts as failed.
// Each file read in request.encoding and written in request.output.
Outcome convertContents(const 内码对照表& table, const std::vector<Item>& items,
                        const StreamRequest& request, Console& console);

// Reads each file and prints its encoding and how many characters the
// conversion would change.
Outcome previewContents(const 内码对照表& table, const std::vector<Item>& items,
                        const StreamRequest& request, Console& console);

} // namespace tolvane::cli
