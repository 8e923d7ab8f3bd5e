#pragma once
// What the run tells the user: results on standard output, failures on standard
// error ("tolvane-cli: path: reason"), and the progress line between them.

#include "app/cli/progress.h"

#include <exception>
#include <string>

namespace tolvane::cli {

class Console {
  public:
    // The progress line is drawn only when wanted and standard error is a terminal.
    explicit Console(bool progressWanted);
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    Progress& progress() { return progress_; }

    void print(const std::string& line);
    // A note on standard error that is no failure.
    void warn(const std::string& message);
    void fail(const std::string& message);
    void fail(const std::u16string& path, const std::string& reason);
    void fail(const std::u16string& path, const std::u16string& reason);
    // What was thrown; a result the output encoding cannot hold says which
    // --to writes it.
    void fail(const std::u16string& path, const std::exception_ptr& failure);

  private:
    Progress progress_;
};

} // namespace tolvane::cli
