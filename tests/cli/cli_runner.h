#pragma once
// Runs the built tolvane-cli as a user would, in a scratch folder, and reads
// back what it printed and left on disk.

#include "common/scratch_folder.h"

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tolvane::cli_test {

using testing::readBytes;
using testing::writeBytes;

struct RunResult {
    int exitCode = -1; // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// The folder the program runs in; its standard streams are kept outside it.
class Scratch {
  public:
    Scratch();

    const std::filesystem::path& path() const { return work_; }
    std::filesystem::path operator/(const std::string& name) const { return work_ / name; }

    // Runs the program in this folder with the input on standard input.
    RunResult run(const std::vector<std::string>& arguments, const std::string& input = {}) const;
    // Starts it without waiting, with no input; finish() collects the result.
    pid_t start(const std::vector<std::string>& arguments) const;
    RunResult finish(pid_t child) const;

  private:
    testing::ScratchFolder root_;
    std::filesystem::path work_ = root_.path() / "work";
};

// Every file below the folder, relative path to contents, sorted by path.
std::vector<std::pair<std::string, std::string>> snapshot(const std::filesystem::path& folder);

// Code page 936 bytes of a few characters the tests use.
namespace gbk {
inline const std::string 汉 = "\xBA\xBA";
inline const std::string 漢 = "\x9D\x68";
inline const std::string 字 = "\xD7\xD6";
inline const std::string 国 = "\xB9\xFA";
inline const std::string 國 = "\x87\xF8";
} // namespace gbk

} // namespace tolvane::cli_test
