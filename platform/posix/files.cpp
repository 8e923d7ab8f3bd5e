#include "platform/files.h"

#include "platform/error.h"
#include "platform/posix/file_io.h"
#include "platform/utf8.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace tolvane {

namespace {

// Closes the descriptor when the scope ends, whatever way it ends.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

  private:
    int fd_;
};

[[noreturn]] void fail(const std::u16string& path) {
    throw systemError(errno, path);
}

void readAll(int fd, std::vector<std::uint8_t>& bytes, const std::u16string& path) {
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() + 65536);
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) fail(path);
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
}

} // namespace

namespace posix {

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) return false;
        if (put == 0) {
            errno = ENOSPC;
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(put));
    }
    return true;
}

void renameByLink(const std::string& from, const std::string& to, const std::u16string& shownPath) {
    if (::link(from.c_str(), to.c_str()) != 0) fail(shownPath);
    if (::unlink(from.c_str()) != 0) {
        const int unlinkError = errno;
        ::unlink(to.c_str());
        throw systemError(unlinkError, shownPath);
    }
}

} // namespace posix

PathKind pathKind(const std::u16string& path) {
    struct stat info {};
    if (::stat(toUtf8(path).c_str(), &info) != 0) return PathKind::Missing;
    return S_ISDIR(info.st_mode) ? PathKind::Folder : PathKind::File;
}

std::vector<std::uint8_t> readWholeFile(const std::u16string& path) {
    FileDescriptor file(::open(toUtf8(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) fail(path);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) fail(path);
    if (S_ISDIR(info.st_mode)) throw systemError(EISDIR, path);
    if (static_cast<std::uintmax_t>(info.st_size) >= std::numeric_limits<std::size_t>::max())
        throw systemError(EFBIG, path);
    // The size is only a first guess: the loop reads to the end whatever it is.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size) + 1);
    readAll(file.get(), bytes, path);
    return bytes;
}

NewFile::NewFile(const std::u16string& path, bool ownerOnly)
    : path_(path), fd_(::open(toUtf8(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                              ownerOnly ? 0600 : 0666)) {
    if (fd_ < 0) fail(path);
}

NewFile::~NewFile() {
    if (fd_ >= 0) abandon();
}

void NewFile::abandon() {
    ::close(fd_);
    fd_ = -1;
    ::unlink(toUtf8(path_).c_str());
}

void NewFile::abandonWith(int error) {
    abandon();
    throw systemError(error, path_);
}

void NewFile::check() const {
    if (fd_ < 0) throw systemError(EBADF, path_);
}

void NewFile::write(std::span<const std::uint8_t> bytes) {
    check();
    if (!posix::writeAll(fd_, bytes)) abandonWith(errno);
}

void NewFile::empty() {
    check();
    if (::ftruncate(fd_, 0) != 0 || ::lseek(fd_, 0, SEEK_SET) != 0) abandonWith(errno);
}

void NewFile::copyPermissionsFrom(const std::u16string& original) {
    check();
    struct stat info {};
    if (::stat(toUtf8(original).c_str(), &info) != 0) fail(original);
    // Only the owner may give a file away and only to a group it belongs to:
    // where that is refused the file stays the program's, as any new file.
    [[maybe_unused]] const bool ownerOrGroupKept =
        ::fchown(fd_, info.st_uid, info.st_gid) == 0 || ::fchown(fd_, -1, info.st_gid) == 0;
    // After the owner: a change of owner clears the set-user and set-group bits.
    if (::fchmod(fd_, info.st_mode & 07777) != 0) abandonWith(errno);
}

void NewFile::flush() {
    check();
    // fdatasync writes the data and the size, all that reading the file back needs.
    if (::fdatasync(fd_) != 0) abandonWith(errno);
}

void NewFile::flushFileSystem() {
    check();
    (void)::syncfs(fd_);
}

void NewFile::finish() {
    check();
    // A full disk may show only when the file is closed.
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) == 0) return;
    const int closeError = errno;
    ::unlink(toUtf8(path_).c_str());
    throw systemError(closeError, path_);
}

// The new file is already whole by then, so a folder that cannot be flushed
// is no failure.
void flushFolderOf(const std::u16string& path) {
    const int fd = ::open(toUtf8(folderOf(path)).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

InputFile::InputFile(const std::u16string& path)
    : path_(path), fd_(::open(toUtf8(path).c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ < 0) fail(path);
    struct stat info {};
    if (::fstat(fd_, &info) == 0 && !S_ISDIR(info.st_mode)) return;
    const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
    ::close(fd_);
    throw systemError(error, path);
}

InputFile::~InputFile() {
    ::close(fd_);
}

std::size_t InputFile::read(std::span<std::uint8_t> buffer) {
    std::size_t filled = 0;
    while (filled < buffer.size()) {
        const ssize_t got = ::read(fd_, buffer.data() + filled, buffer.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) fail(path_);
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    return filled;
}

void InputFile::rewind() {
    if (::lseek(fd_, 0, SEEK_SET) != 0) fail(path_);
}

void renameNoReplace(const std::u16string& from, const std::u16string& to) {
    const std::string source = toUtf8(from);
    const std::string target = toUtf8(to);
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return;
    // File systems without RENAME_NOREPLACE still refuse a link over an existing name.
    if (errno == EINVAL || errno == ENOSYS) {
        posix::renameByLink(source, target, from);
        return;
    }
    fail(errno == EEXIST ? to : from);
}

void renameReplacing(const std::u16string& from, const std::u16string& to) {
    if (::rename(toUtf8(from).c_str(), toUtf8(to).c_str()) != 0) fail(to);
}

void makeFolder(const std::u16string& path) {
    if (::mkdir(toUtf8(path).c_str(), 0777) != 0) fail(path);
}

void removeFile(const std::u16string& path) {
    if (::unlink(toUtf8(path).c_str()) != 0) fail(path);
}

std::vector<std::u16string> listFiles(const std::u16string& folder, const std::u16string& pattern) {
    std::vector<std::u16string> names;
    const std::string folderName = toUtf8(folder);
    DIR* directory = ::opendir(folderName.c_str());
    if (directory == nullptr) return names;
    const std::string wildcard = toUtf8(pattern);
    // readdir is safe here: no other thread reads this directory stream.
    while (const dirent* entry = ::readdir(directory)) { // NOLINT(concurrency-mt-unsafe)
        const std::string name = entry->d_name;
        if (name.starts_with('.') || ::fnmatch(wildcard.c_str(), name.c_str(), 0) != 0) continue;
        struct stat info {};
        std::string full = folderName;
        full += '/';
        full += name;
        if (::stat(full.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            names.push_back(fromUtf8(name));
    }
    ::closedir(directory);
    return names;
}

bool folderWritable(const std::u16string& path) {
    return ::access(toUtf8(path).c_str(), W_OK | X_OK) == 0;
}

std::u16string programFolder() {
    std::array<char, 4096> buffer{};
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) return u".";
    return parentFolder(fromUtf8({buffer.data(), static_cast<std::size_t>(length)}));
}

} // namespace tolvane
