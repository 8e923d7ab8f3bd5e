#pragma once
// The file operations the program asks of the system. Paths are UTF-16; each
// implementation converts them at the system call. Failures throw Error.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tolvane {

enum class PathKind { Missing = 0, File = 1, Folder = 2 };

// Never throws: anything that cannot be examined is Missing.
PathKind pathKind(const std::u16string& path);

// The whole file; an empty file gives an empty vector.
std::vector<std::uint8_t> readWholeFile(const std::u16string& path);

// Creates a new file (Error 58 when the path exists) and writes every byte. A
// failed or short write throws and leaves no half-written file behind.
void writeNewFile(const std::u16string& path, std::span<const std::uint8_t> bytes);

// A new file written piece by piece, for texts too large to encode in one
// buffer: created like writeNewFile, and removed again unless finish() succeeds,
// so a failed or abandoned write leaves nothing behind.
class NewFile {
  public:
    explicit NewFile(const std::u16string& path); // Error 58 when the path exists
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile();

    void write(std::span<const std::uint8_t> bytes); // throws Error
    void finish();                                   // closes the file; throws Error

  private:
    void abandon();

    std::u16string path_;
    int fd_;
};

// Moves a file; never replaces an existing target (Error 58).
void renameNoReplace(const std::u16string& from, const std::u16string& to);

void makeFolder(const std::u16string& path);
void removeFile(const std::u16string& path);

// Names (without the folder) of the regular, non-hidden files in the folder that
// match a wildcard such as u"*.txt", in directory order; a missing folder gives none.
std::vector<std::u16string> listFiles(const std::u16string& folder, const std::u16string& pattern);

// The folder holding the running program, without a trailing separator.
std::u16string programFolder();

#ifdef _WIN32
inline constexpr char16_t kPathSeparator = u'\\';
#else
inline constexpr char16_t kPathSeparator = u'/';
#endif

// The folder and the name with one separator between, also when the folder is
// a root that already ends in one.
inline std::u16string joinPath(const std::u16string& folder, const std::u16string& name) {
    if (!folder.empty() && folder.back() == kPathSeparator) return folder + name;
    return folder + kPathSeparator + name;
}

} // namespace tolvane
