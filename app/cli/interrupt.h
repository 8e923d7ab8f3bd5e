#pragma once
// Ctrl-C acts like the window's Stop button: it only sets 取消标志, which the
// conversion tests after every code unit and the run between steps.

namespace tolvane::cli {

void stopOnInterrupt();

// True once after Ctrl-C was pressed and not yet acted on; clears the request.
bool takeInterrupt();

} // namespace tolvane::cli
