#include "platform/files.h"

#include "platform/win32/file_io.h"
#include "platform/win32/win32_error.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <vector>
#include <windows.h>

namespace tolvane {

using win32::fail;
using win32::wide;

namespace {

HANDLE osHandle(int fd) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd)); // NOLINT(performance-no-int-to-ptr)
}

// The handle as a C runtime descriptor, which owns and closes it from then on.
int descriptorOf(HANDLE handle, int flags, const std::u16string& path) {
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), flags | _O_BINARY);
    if (fd >= 0) return fd;
    ::CloseHandle(handle);
    throw systemError(EMFILE, path);
}

// Others may read, write and move a file this program reads, as on Linux.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A read-only file is removed all the same, as Linux removes it.
bool removeAnyway(const std::u16string& path) {
    if (::DeleteFileW(wide(path))) return true;
    const DWORD error = ::GetLastError();
    const DWORD attributes = ::GetFileAttributesW(wide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY) ||
        !::SetFileAttributesW(wide(path), attributes & ~FILE_ATTRIBUTE_READONLY)) {
        ::SetLastError(error);
        return false;
    }
    return ::DeleteFileW(wide(path));
}

} // namespace

namespace win32 {

bool writeAll(void* handle, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const auto piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
        DWORD put = 0;
        if (!::WriteFile(handle, bytes.data(), piece, &put, nullptr)) return false;
        if (put == 0) {
            ::SetLastError(ERROR_DISK_FULL);
            return false;
        }
        bytes = bytes.subspan(put);
    }
    return true;
}

} // namespace win32

PathKind pathKind(const std::u16string& path) {
    const DWORD attributes = ::GetFileAttributesW(wide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

std::vector<std::uint8_t> readWholeFile(const std::u16string& path) {
    InputFile file(path);
    std::vector<std::uint8_t> bytes;
    std::size_t filled = 0;
    for (;;) {
        bytes.resize(filled + (1 << 20));
        const std::size_t got = file.read(std::span(bytes).subspan(filled));
        filled += got;
        if (filled < bytes.size()) break;
    }
    bytes.resize(filled);
    return bytes;
}

// Nobody else reads or writes the file while it is written, which also keeps
// an owner-only file private until it is complete; its permissions are the
// folder's, as for any new file. It may be removed meanwhile, as on Linux.
NewFile::NewFile(const std::u16string& path, [[maybe_unused]] bool ownerOnly)
    : path_(path), fd_(-1) {
    const HANDLE file = ::CreateFileW(wide(path), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) fail(path);
    try {
        fd_ = descriptorOf(file, 0, path);
    } catch (const Error&) {
        ::DeleteFileW(wide(path));
        throw;
    }
}

NewFile::~NewFile() {
    if (fd_ >= 0) abandon();
}

void NewFile::abandon() {
    ::_close(fd_);
    fd_ = -1;
    removeAnyway(path_);
}

// error: the thread's last error.
void NewFile::abandonWith(int error) {
    abandon();
    throw win32::systemError(static_cast<DWORD>(error), path_);
}

void NewFile::check() const {
    if (fd_ < 0) throw systemError(EBADF, path_);
}

void NewFile::write(std::span<const std::uint8_t> bytes) {
    check();
    if (!win32::writeAll(osHandle(fd_), bytes)) abandonWith(static_cast<int>(::GetLastError()));
}

void NewFile::empty() {
    check();
    const HANDLE file = osHandle(fd_);
    if (!::SetFilePointerEx(file, {}, nullptr, FILE_BEGIN) || !::SetEndOfFile(file))
        abandonWith(static_cast<int>(::GetLastError()));
}

// Windows keeps a file's permissions in its folder's inherited access list,
// which the new file in the same folder gets too; what a file carries itself
// are its read-only and hidden marks.
void NewFile::copyPermissionsFrom(const std::u16string& original) {
    check();
    const DWORD attributes = ::GetFileAttributesW(wide(original));
    if (attributes == INVALID_FILE_ATTRIBUTES) fail(original);
    FILE_BASIC_INFO info{};
    info.FileAttributes = attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    if (info.FileAttributes == 0) return;
    if (!::SetFileInformationByHandle(osHandle(fd_), FileBasicInfo, &info, sizeof info))
        abandonWith(static_cast<int>(::GetLastError()));
}

void NewFile::flush() {
    check();
    if (!::FlushFileBuffers(osHandle(fd_))) abandonWith(static_cast<int>(::GetLastError()));
}

// Flushing a whole volume needs an administrator; each file's flush does it all.
void NewFile::flushFileSystem() {
    check();
}

void NewFile::finish() {
    check();
    const int fd = fd_;
    fd_ = -1;
    if (::_close(fd) == 0) return;
    const int closeError = errno;
    removeAnyway(path_);
    throw systemError(closeError, path_);
}

// A rename is written through to the disk (renameNoReplace): nothing is left
// to flush in the folder.
void flushFolderOf([[maybe_unused]] const std::u16string& path) {}

InputFile::InputFile(const std::u16string& path) : path_(path), fd_(-1) {
    if (pathKind(path) == PathKind::Folder) throw systemError(EISDIR, path);
    const HANDLE file = ::CreateFileW(wide(path), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) fail(path);
    fd_ = descriptorOf(file, _O_RDONLY, path);
}

InputFile::~InputFile() {
    ::_close(fd_);
}

std::size_t InputFile::read(std::span<std::uint8_t> buffer) {
    std::size_t filled = 0;
    while (filled < buffer.size()) {
        const auto wanted =
            static_cast<DWORD>(std::min<std::size_t>(buffer.size() - filled, 1 << 30));
        DWORD got = 0;
        if (!::ReadFile(osHandle(fd_), buffer.data() + filled, wanted, &got, nullptr)) fail(path_);
        if (got == 0) break;
        filled += got;
    }
    return filled;
}

void InputFile::rewind() {
    if (!::SetFilePointerEx(osHandle(fd_), {}, nullptr, FILE_BEGIN)) fail(path_);
}

void renameNoReplace(const std::u16string& from, const std::u16string& to) {
    // Without MOVEFILE_REPLACE_EXISTING the system refuses an existing target.
    if (::MoveFileExW(wide(from), wide(to), MOVEFILE_WRITE_THROUGH)) return;
    const DWORD code = ::GetLastError();
    const bool targetExists = code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS;
    throw win32::systemError(code, targetExists ? to : from);
}

void renameReplacing(const std::u16string& from, const std::u16string& to) {
    if (!::MoveFileExW(wide(from), wide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        fail(to);
}

void makeFolder(const std::u16string& path) {
    if (!::CreateDirectoryW(wide(path), nullptr)) fail(path);
}

void removeFile(const std::u16string& path) {
    if (!removeAnyway(path)) fail(path);
}

std::vector<std::u16string> listFiles(const std::u16string& folder, const std::u16string& pattern) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW entry{};
    const HANDLE search = ::FindFirstFileW(wide(joinPath(folder, pattern)), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        constexpr DWORD kSkipped =
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        if (entry.dwFileAttributes & kSkipped) continue;
        names.emplace_back(reinterpret_cast<const char16_t*>(entry.cFileName));
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
    return names;
}

// Asking the access lists would miss what the file system itself refuses (a
// read-only medium): a file made and removed again answers for both.
bool folderWritable(const std::u16string& path) {
    try {
        const NewFileInPlace probe(joinPath(path, u"probe"));
        return true;
    } catch (const Error&) {
        return false;
    }
}

std::u16string programFolder() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return u".";
        if (length < buffer.size())
            return parentFolder({reinterpret_cast<const char16_t*>(buffer.data()), length});
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace tolvane
