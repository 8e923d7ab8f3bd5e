#pragma once
// One task at a time on a thread of its own: a piece is written, or half a
// piece converted, while the caller goes on with the next.

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace tolvane {

class BackgroundTask {
  public:
    BackgroundTask();
    BackgroundTask(const BackgroundTask&) = delete;
    BackgroundTask& operator=(const BackgroundTask&) = delete;
    ~BackgroundTask(); // waits for the task under way

    // Starts the task; first waits for the one before and throws what it threw.
    void start(std::function<void()> task);
    // Waits until the task is done; throws what it threw.
    void wait();

  private:
    void run();
    void waitIdle(std::unique_lock<std::mutex>& lock);

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> task_;
    bool busy_ = false;
    bool closing_ = false;
    std::exception_ptr failure_;
    std::thread thread_;
};

} // namespace tolvane
