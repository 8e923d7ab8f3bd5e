#include "app/cli/interrupt.h"
#include "engine/state.h"

#include <windows.h>

namespace tolvane::cli {

namespace {

// Runs on a thread of its own; the conversion sees the flag at its next check
// and puts the current file back, as after SIGINT on Linux.
BOOL WINAPI requestStop(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    取消标志.store(true);
    return TRUE;
}

} // namespace

void stopOnInterrupt() {
    ::SetConsoleCtrlHandler(requestStop, TRUE);
}

bool takeInterrupt() {
    return 取消标志.exchange(false);
}

} // namespace tolvane::cli
