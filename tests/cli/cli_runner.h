#pragma once
// Runs the built tolvane-cli as a user would, in a scratch folder, and reads
// back what it printed and left on disk.

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tolvane::cli_test {

struct RunResult {
    int exitCode = -1; // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// A fresh folder under the system's temporary folder, removed with its contents.
class Scratch {
  public:
    Scratch();
    ~Scratch();
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    // Runs the program in this folder with the input on standard input.
    RunResult run(const std::vector<std::string>& arguments, const std::string& input = {}) const;

    // Starts it without waiting; finish() collects the result.
    pid_t start(const std::vector<std::string>& arguments) const;
    RunResult finish(pid_t child) const;

  private:
    std::filesystem::path path_;
    std::filesystem::path io_; // standard streams, outside the folder under test
};

// In a forked child: replaces it by the program with these arguments.
[[noreturn]] void execProgram(const std::vector<std::string>& arguments);

std::string readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::string& bytes);

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
