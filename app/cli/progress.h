#pragma once
// One line on standard error that keeps being redrawn: files done of total,
// bytes done of total and the throughput so far.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tolvane::cli {

class Progress {
  public:
    // Draws nothing unless enabled.
    explicit Progress(bool enabled) : enabled_(enabled) {}

    void start(std::size_t totalItems, std::uintmax_t totalBytes);
    void itemDone(std::uintmax_t bytes);
    // Wipes the line, so that a message can take its place; the next draw brings it back.
    void clear();

  private:
    void draw();
    std::string line() const;

    bool enabled_;
    bool shown_ = false;
    std::size_t itemsDone_ = 0;
    std::size_t totalItems_ = 0;
    std::uintmax_t bytesDone_ = 0;
    std::uintmax_t totalBytes_ = 0;
    std::chrono::steady_clock::time_point started_;
};

// "512 B", "3.4 KB", "12.0 MB", "1.5 GB" (units of 1024).
std::string formatBytes(double bytes);

} // namespace tolvane::cli
