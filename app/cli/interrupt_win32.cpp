#include "app/cli/interrupt.h"
#include "engine/state.h"

#include <atomic>
#include <windows.h>

namespace tolvane::cli {

namespace {

// The exit statuses a shell gives for the same stop on Linux.
constexpr int kInterruptedExit = 130; // Ctrl-C, Ctrl-Break
constexpr int kHungUpExit = 129;      // the console window closed

std::atomic<int> exitStatus{kInterruptedExit};

// Runs on a thread of its own; the conversion sees the flag at its next check
// and puts the current file back, as after SIGINT on Linux.
BOOL WINAPI requestStop(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        exitStatus.store(kInterruptedExit);
        取消标志.store(true);
        return TRUE;
    case CTRL_CLOSE_EVENT:
        exitStatus.store(kHungUpExit);
        取消标志.store(true);
        // Returning would end the process at once; waiting here gives the
        // conversion the few seconds the system allows to put the file back
        // and exit by itself.
        ::Sleep(INFINITE);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void stopOnSignals() {
    ::SetConsoleCtrlHandler(requestStop, TRUE);
}

bool takeInterrupt() {
    return 取消标志.exchange(false);
}

int interruptedExitCode() {
    return exitStatus.load();
}

} // namespace tolvane::cli
