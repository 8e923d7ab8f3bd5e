#pragma once
// The file operations the program asks of the system. Paths are UTF-16; each
// implementation converts them at the system call. Failures throw Error.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

enum class PathKind { Missing = 0, File = 1, Folder = 2 };

// Never throws: anything that cannot be examined is Missing.
PathKind pathKind(const std::u16string& path);

// The whole file; an empty file gives an empty vector.
std::vector<std::uint8_t> readWholeFile(const std::u16string& path);

// A new file written piece by piece, removed again unless finish() succeeds,
// so that a failed or abandoned write leaves nothing behind.
class NewFile {
  public:
    // Error kFileExists when the path exists. An owner-only file starts readable and
    // writable by its owner alone.
    explicit NewFile(const std::u16string& path, bool ownerOnly = false);
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile();

    void write(std::span<const std::uint8_t> bytes); // throws Error
    void empty();                                    // back to no bytes; throws Error
    // The permission bits of original, and its owner and group as far as the
    // system lets this program set them. Throws Error.
    void copyPermissionsFrom(const std::u16string& original);
    void flush(); // to the disk; throws Error
    // Everything written to this file's file system so far, to the disk in one
    // pass; flush() of each of many files written before then costs little.
    // Best effort: each file's own flush reports its failures.
    void flushFileSystem();
    void finish(); // closes the file; throws Error

  private:
    void check() const;
    [[noreturn]] void abandonWith(int error);
    void abandon();

    std::u16string path_;
    int fd_;
};

// A new file that appears at its path complete or not at all: it is written
// under a temporary name in the same folder, and commit() flushes it to disk
// and renames it into place without replacing anything. Until then, and
// whenever a step fails, the temporary file is removed again.
class NewFileInPlace {
  public:
    explicit NewFileInPlace(const std::u16string& path); // throws Error
    const std::u16string& temporaryPath() const { return temporary_; }
    NewFile& file() { return *file_; }
    // Throws Error, kFileExists when the path was taken meanwhile. Without flushFolder
    // the caller flushes the folder (flushFolderOf), once for many files.
    void commit(bool flushFolder = true);
    // The same, but a file at the path is replaced (renameReplacing).
    void commitReplacing();

  private:
    void place(bool replacing);

    std::u16string path_;
    std::u16string temporary_;
    std::unique_ptr<NewFile> file_;
};

// Replaces the file at path by one holding content, in one step, so that a
// failure (Error) leaves the old file exactly as it was. Only for the
// program's own files (its settings), which stay private to their owner: a
// user's file is never replaced, only moved into a backup folder.
void replaceFile(const std::u16string& path, std::string_view content);

// Makes the renames in the file's folder last through a power loss; best effort.
void flushFolderOf(const std::u16string& path);

// Temporary files are named "~Vebzo-", six letters or digits, ".tmp".
bool isTemporaryFileName(std::u16string_view name);

// A file read piece by piece from the start.
class InputFile {
  public:
    explicit InputFile(const std::u16string& path); // throws Error, also for a folder
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // Up to buffer.size() bytes, fewer only at the end; 0 at the end. Throws Error.
    std::size_t read(std::span<std::uint8_t> buffer);
    void rewind(); // throws Error

  private:
    std::u16string path_;
    int fd_;
};

// Moves a file; never replaces an existing target (Error kFileExists).
void renameNoReplace(const std::u16string& from, const std::u16string& to);
// Moves a file onto to in one step, replacing a file there. Throws Error.
void renameReplacing(const std::u16string& from, const std::u16string& to);

void makeFolder(const std::u16string& path);
void removeFile(const std::u16string& path);

// Names (without the folder) of the regular, non-hidden files in the folder that
// match a wildcard such as u"*.txt", in directory order; a missing folder gives none.
std::vector<std::u16string> listFiles(const std::u16string& folder, const std::u16string& pattern);

// Holds the file at path for one conversion. Only a regular file is taken: a
// FIFO or a device would block or never end, and could not be put back as it
// was. The advisory lock it takes makes a second run converting the same file
// at the same time fail with kFileBusy instead of converting it twice; the lock
// moves with the file into its backup folder and ends with this object.
// Throws Error: kFileNotFound, kPermissionDenied for a folder, kNotRegularFile,
// kFileBusy.
class ConversionLock {
  public:
    explicit ConversionLock(const std::u16string& path);
    // Runs betweenOpenAndLock after the file is opened and before it is
    // locked, where another run may put a new file at the path.
    ConversionLock(const std::u16string& path, const std::function<void()>& betweenOpenAndLock);
    ConversionLock(const ConversionLock&) = delete;
    ConversionLock& operator=(const ConversionLock&) = delete;
    ~ConversionLock();

  private:
    int fd_;
};

// The file a symbolic link finally names, or the path itself when it is no
// link or leads nowhere (the next step then reports it missing).
std::u16string linkTarget(const std::u16string& path);

// Removes the folder when it is empty; otherwise leaves it as it is.
void removeFolderIfEmpty(const std::u16string& path);

// Whether this user may create files in the folder.
bool folderWritable(const std::u16string& path);

// The folder holding the running program, without a trailing separator.
std::u16string programFolder();

#ifdef _WIN32
inline constexpr char16_t kPathSeparator = u'\\';
// The system takes "/" for a separator too.
inline constexpr std::u16string_view kPathSeparators = u"\\/";
// What no file name may hold: the separators, the drive and stream mark, the
// wildcards and the null character.
inline constexpr std::u16string_view kForbiddenInNames{u"\\/:*?\"<>|\0", 10};
#else
inline constexpr char16_t kPathSeparator = u'/';
inline constexpr std::u16string_view kPathSeparators = u"/";
inline constexpr std::u16string_view kForbiddenInNames{u"/\0", 2};
#endif

// The folder a path lies in, ending in its separator ("a/b" gives "a/", "/a"
// gives "/"); a bare name lies in ".".
inline std::u16string folderOf(const std::u16string& path) {
    const std::size_t separator = path.find_last_of(kPathSeparators);
    return separator == std::u16string::npos ? u"." : path.substr(0, separator + 1);
}

// The last component: what follows the last separator, the whole path
// without one.
inline std::u16string nameOf(const std::u16string& path) {
    return path.substr(path.find_last_of(kPathSeparators) + 1);
}

// The folder a path lies in as a path of its own: without the separator at
// its end, unless that separator is all there is ("a/b" gives "a", "/a" gives
// "/"); a bare name lies in ".".
inline std::u16string parentFolder(const std::u16string& path) {
    std::u16string folder = folderOf(path);
    if (folder.size() > 1 && kPathSeparators.find(folder.back()) != std::u16string_view::npos)
        folder.pop_back();
    return folder;
}

// The folder and the name with one separator between, also when the folder is
// a root that already ends in one. No folder leaves the name as it is: a
// separator in front would move it to the root.
inline std::u16string joinPath(const std::u16string& folder, const std::u16string& name) {
    if (folder.empty()) return name;
    if (kPathSeparators.find(folder.back()) != std::u16string_view::npos) return folder + name;
    return folder + kPathSeparator + name;
}

} // namespace tolvane
