#include "app/cli/interrupt.h"
#include "engine/state.h"

#include <csignal>

namespace tolvane::cli {

namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kSignalExitBase = 128;

// A signal handler may only touch lock-free atomics.
static_assert(std::atomic<bool>::is_always_lock_free);
static_assert(std::atomic<int>::is_always_lock_free);

std::atomic<int> lastStopSignal{SIGINT};

void requestStop(int signal) {
    lastStopSignal.store(signal);
    取消标志.store(true);
}

bool ignoredAtStart(int signal) {
    struct sigaction current {};
    return sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

} // namespace

void stopOnSignals() {
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a blocked read of standard input returns so the stop is seen.
    for (const int signal : kStopSignals)
        if (!ignoredAtStart(signal)) sigaction(signal, &action, nullptr);
}

bool takeInterrupt() {
    return 取消标志.exchange(false);
}

int interruptedExitCode() {
    return kSignalExitBase + lastStopSignal.load();
}

} // namespace tolvane::cli
