#include "engine/background_task.h"

#include <utility>

namespace tolvane {

BackgroundTask::BackgroundTask() : thread_([this] { run(); }) {}

BackgroundTask::~BackgroundTask() {
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void BackgroundTask::waitIdle(std::unique_lock<std::mutex>& lock) {
    changed_.wait(lock, [this] { return !busy_; });
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void BackgroundTask::start(std::function<void()> task) {
    std::unique_lock lock(mutex_);
    waitIdle(lock);
    task_ = std::move(task);
    busy_ = true;
    lock.unlock();
    changed_.notify_all();
}

void BackgroundTask::wait() {
    std::unique_lock lock(mutex_);
    waitIdle(lock);
}

void BackgroundTask::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return busy_ || closing_; });
        if (!busy_) return;
        lock.unlock();
        std::exception_ptr failure;
        try {
            task_();
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        failure_ = failure;
        busy_ = false;
        changed_.notify_all();
    }
}

} // namespace tolvane
