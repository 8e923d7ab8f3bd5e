// Holding a file for one conversion, following links to it, and tidying the
// backup folder a conversion made but did not keep.

#include "platform/error.h"
#include "platform/files.h"
#include "platform/utf8.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tolvane {

namespace {

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Throws unless fd is a regular file, now locked by us, still at path.
void takeHold(int fd, const std::u16string& path) {
    struct stat held {};
    struct stat named {};
    if (::fstat(fd, &held) != 0) throw systemError(errno, path);
    if (S_ISDIR(held.st_mode)) throw systemError(EISDIR, path);
    if (!S_ISREG(held.st_mode)) throw Error(kNotRegularFile, u"“" + path + u"”：不是普通文件。");
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) throw systemError(errno, path);
    // Another run may have put its converted file at the path between our
    // open and our lock: that one is no longer the file we hold.
    if (::stat(toUtf8(path).c_str(), &named) != 0 || !sameFile(held, named))
        throw systemError(EWOULDBLOCK, path);
}

} // namespace

ConversionLock::ConversionLock(const std::u16string& path) : ConversionLock(path, [] {}) {}

// Without O_NONBLOCK opening a FIFO would wait for a writer.
ConversionLock::ConversionLock(const std::u16string& path,
                               const std::function<void()>& betweenOpenAndLock)
    : fd_(::open(toUtf8(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
    if (fd_ < 0) throw systemError(errno, path);
    try {
        betweenOpenAndLock();
        takeHold(fd_, path);
    } catch (...) {
        ::close(fd_); // no destructor runs for a constructor that throws
        throw;
    }
}

ConversionLock::~ConversionLock() {
    if (fd_ >= 0) ::close(fd_);
}

std::u16string linkTarget(const std::u16string& path) {
    const std::string name = toUtf8(path);
    struct stat info {};
    if (::lstat(name.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    const std::unique_ptr<char, decltype(&std::free)> target(::realpath(name.c_str(), nullptr),
                                                             &std::free);
    return target ? fromUtf8(target.get()) : path;
}

void removeFolderIfEmpty(const std::u16string& path) {
    ::rmdir(toUtf8(path).c_str()); // fails, as wanted, when anything is inside
}

} // namespace tolvane
