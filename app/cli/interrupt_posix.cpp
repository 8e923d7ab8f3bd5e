#include "app/cli/interrupt.h"
#include "engine/state.h"

#include <csignal>

namespace tolvane::cli {

namespace {

// A signal handler may only touch lock-free atomics.
static_assert(std::atomic<bool>::is_always_lock_free);

void requestStop(int /*signal*/) {
    取消标志.store(true);
}

} // namespace

void stopOnInterrupt() {
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a blocked read of standard input returns so the stop is seen.
    sigaction(SIGINT, &action, nullptr);
}

bool takeInterrupt() {
    return 取消标志.exchange(false);
}

} // namespace tolvane::cli
