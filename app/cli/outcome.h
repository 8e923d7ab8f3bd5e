#pragma once

namespace tolvane::cli {

// How a run over its items ended.
enum class Outcome { Converted, SomeFailed, Interrupted };

} // namespace tolvane::cli
