#include "engine/background_writer.h"

#include <utility>

namespace tolvane {

BackgroundWriter::BackgroundWriter(ByteSink& sink) : sink_(sink), thread_([this] { run(); }) {}

BackgroundWriter::~BackgroundWriter() {
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void BackgroundWriter::waitIdle(std::unique_lock<std::mutex>& lock) {
    changed_.wait(lock, [this] { return !busy_; });
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void BackgroundWriter::write(std::span<const std::uint8_t> bytes) {
    std::unique_lock lock(mutex_);
    waitIdle(lock);
    pending_ = bytes;
    busy_ = true;
    lock.unlock();
    changed_.notify_all();
}

void BackgroundWriter::finish() {
    std::unique_lock lock(mutex_);
    waitIdle(lock);
}

void BackgroundWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return busy_ || closing_; });
        if (!busy_) return;
        lock.unlock();
        std::exception_ptr failure;
        try {
            sink_.write(pending_);
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
