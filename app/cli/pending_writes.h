#pragma once
// Converted files waiting to be put in place together: flushing many small
// files one after the other costs far more than converting them.

#include "app/cli/console.h"
#include "engine/file_steps.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tolvane::cli {

// A file that fails to go in place is reported and put back unconverted.
void putBack(文件内容转换& file, Console& console);

class PendingWrites {
  public:
    explicit PendingWrites(Console& console) : console_(console) {}
    PendingWrites(const PendingWrites&) = delete;
    PendingWrites& operator=(const PendingWrites&) = delete;
    ~PendingWrites(); // puts back what was never put in place

    // Takes a converted file; puts the waiting files in place when they are many.
    void add(std::unique_ptr<文件内容转换> file, std::uintmax_t size);
    // Puts every waiting file in place; false when any failed (each reported).
    bool putInPlace();
    bool anyFailed() const { return failed_; }

  private:
    Console& console_;
    std::vector<std::unique_ptr<文件内容转换>> files_;
    std::uintmax_t bytes_ = 0;
    bool failed_ = false;
};

} // namespace tolvane::cli
