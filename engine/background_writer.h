#pragma once
// Writes to a sink on a thread of its own, so that one piece is written while
// the next is converted.

#include "engine/stream.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <span>
#include <thread>

namespace tolvane {

class BackgroundWriter {
  public:
    explicit BackgroundWriter(ByteSink& sink);
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;
    ~BackgroundWriter(); // waits for the write under way

    // Starts writing bytes, which must stay valid until the next call of write
    // or finish; first waits for the write before and throws its Error.
    void write(std::span<const std::uint8_t> bytes);
    // Waits until everything is written; throws the Error of a failed write.
    void finish();

  private:
    void run();
    void waitIdle(std::unique_lock<std::mutex>& lock);

    ByteSink& sink_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::span<const std::uint8_t> pending_;
    bool busy_ = false;
    bool closing_ = false;
    std::exception_ptr failure_;
    std::thread thread_;
};

} // namespace tolvane
