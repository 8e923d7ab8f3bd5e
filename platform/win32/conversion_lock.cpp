// Holding a file for one conversion, following links to it, and tidying the
// backup folder a conversion made but did not keep.

#include "platform/error.h"
#include "platform/files.h"
#include "platform/win32/file_io.h"
#include "platform/win32/win32_error.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace tolvane {

using win32::wide;

namespace {

// Others may still read, write and move the file, as on Linux: the hold only
// keeps a second conversion away.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The lock is taken on a byte far beyond any real end of file: a lock on the
// text itself would keep everybody, this program included, from reading it.
constexpr DWORD kLockOffsetLow = 0xFFFFFFFE;
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;

bool sameFile(HANDLE a, HANDLE b) {
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    return ::GetFileInformationByHandle(a, &first) && ::GetFileInformationByHandle(b, &second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

// Whether the path still names the held file: another run may have put its
// converted file there between our open and our lock.
bool stillAt(HANDLE held, const std::u16string& path) {
    const HANDLE named =
        ::CreateFileW(wide(path), 0, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (named == INVALID_HANDLE_VALUE) return false;
    const bool same = sameFile(held, named);
    ::CloseHandle(named);
    return same;
}

// Throws unless the handle is a regular file, now locked by us, still at path.
void takeHold(HANDLE file, const std::u16string& path) {
    if (::GetFileType(file) != FILE_TYPE_DISK)
        throw Error(kNotRegularFile, u"“" + path + u"”：不是普通文件。");
    OVERLAPPED place{};
    place.Offset = kLockOffsetLow;
    place.OffsetHigh = kLockOffsetHigh;
    if (!::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &place) ||
        !stillAt(file, path))
        throw systemError(EWOULDBLOCK, path);
}

} // namespace

ConversionLock::ConversionLock(const std::u16string& path) : ConversionLock(path, [] {}) {}

ConversionLock::ConversionLock(const std::u16string& path,
                               const std::function<void()>& betweenOpenAndLock)
    : fd_(-1) {
    if (pathKind(path) == PathKind::Folder) throw systemError(EISDIR, path);
    const HANDLE file =
        ::CreateFileW(wide(path), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) win32::fail(path);
    try {
        betweenOpenAndLock();
        takeHold(file, path);
    } catch (...) {
        ::CloseHandle(file); // no destructor runs for a constructor that throws
        throw;
    }
    fd_ = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDONLY | _O_BINARY);
    if (fd_ < 0) ::CloseHandle(file); // the lock then ends at once: no worse than no lock
}

ConversionLock::~ConversionLock() {
    if (fd_ >= 0) ::_close(fd_);
}

// A symbolic link or junction leads to the file it finally names.
std::u16string linkTarget(const std::u16string& path) {
    const DWORD attributes = ::GetFileAttributesW(wide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return path;
    const HANDLE file = ::CreateFileW(wide(path), 0, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return path;
    std::u16string target(32768, u'\0');
    const DWORD length = ::GetFinalPathNameByHandleW(
        file, reinterpret_cast<wchar_t*>(target.data()), static_cast<DWORD>(target.size()), 0);
    ::CloseHandle(file);
    if (length == 0 || length >= target.size()) return path;
    target.resize(length);
    // The answer is in the long form, "\\?\C:\..." or "\\?\UNC\server\...".
    if (target.starts_with(u"\\\\?\\UNC\\")) return u"\\\\" + target.substr(8);
    if (target.starts_with(u"\\\\?\\")) return target.substr(4);
    return target;
}

void removeFolderIfEmpty(const std::u16string& path) {
    ::RemoveDirectoryW(wide(path)); // fails, as wanted, when anything is inside
}

} // namespace tolvane
