#pragma once
// Program-wide values shared by the window and the conversion job. Each is
// written and read whole; the atomics make that hold across the two threads.

#include <atomic>
#include <functional>

namespace tolvane {

// The user asked the running load or job to stop; cleared by whoever acts on it.
inline std::atomic<bool> 取消标志{false};
// Jobs run on a worker thread.
inline std::atomic<bool> 使用多线程{true};

// Installed by the window: "let the window process its pending events".
void setEventPump(std::function<void()> pump);
// Calls the installed pump; does nothing when none is installed.
void pumpEvents();

// Whether the user asked to stop, 取消标志 then cleared again; without a
// worker thread the window first gets its turn. Asked between the pieces of
// a text and between file names.
bool stopRequested();

} // namespace tolvane
