#include "platform/files.h"

#include "platform/win32/file_io.h"
#include "platform/win32/win32_error.h"

#include <algorithm>
#include <fcntl.h>
#include <io.h>
#include <utility>
#include <vector>
#include <windows.h>

namespace tolvane {

using win32::fail;
using win32::wide;

namespace {

// Closes the handle when the scope ends, whatever way it ends.
class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (valid()) ::CloseHandle(handle_);
    }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

void readAll(HANDLE file, std::vector<std::uint8_t>& bytes, const std::u16string& path) {
    constexpr DWORD kChunk = 1 << 20;
    std::size_t filled = 0;
    for (;;) {
        if (bytes.size() - filled < kChunk) bytes.resize(filled + kChunk);
        DWORD got = 0;
        if (!::ReadFile(file, bytes.data() + filled, kChunk, &got, nullptr)) fail(path);
        if (got == 0) break;
        filled += got;
    }
    bytes.resize(filled);
}

HANDLE osHandle(int fd) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
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
    if (pathKind(path) == PathKind::Folder) throw systemError(EISDIR, path);
    const FileHandle file(::CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) fail(path);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) fail(path);
    if (static_cast<std::uint64_t>(size.QuadPart) >= SIZE_MAX) throw systemError(EFBIG, path);
    // The size is only a first guess: the loop reads to the end whatever it is.
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(size.QuadPart) + 1);
    readAll(file.get(), bytes, path);
    return bytes;
}

// The handle travels as a C runtime descriptor, which owns and closes it.
NewFile::NewFile(const std::u16string& path) : path_(path), fd_(-1) {
    const HANDLE file = ::CreateFileW(wide(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) fail(path);
    fd_ = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_BINARY);
    if (fd_ < 0) {
        ::CloseHandle(file);
        ::DeleteFileW(wide(path));
        throw systemError(EMFILE, path);
    }
}

NewFile::~NewFile() {
    if (fd_ >= 0) abandon();
}

void NewFile::abandon() {
    ::_close(fd_);
    fd_ = -1;
    ::DeleteFileW(wide(path_));
}

void NewFile::write(std::span<const std::uint8_t> bytes) {
    if (fd_ < 0) throw systemError(EBADF, path_);
    if (win32::writeAll(osHandle(fd_), bytes)) return;
    const DWORD writeError = ::GetLastError();
    abandon();
    throw win32::systemError(writeError, path_);
}

void NewFile::finish() {
    if (fd_ < 0) throw systemError(EBADF, path_);
    const int fd = std::exchange(fd_, -1);
    // A full disk may show only when the buffers reach it.
    const bool flushed = ::FlushFileBuffers(osHandle(fd));
    const DWORD flushError = ::GetLastError();
    ::_close(fd);
    if (flushed) return;
    ::DeleteFileW(wide(path_));
    throw win32::systemError(flushError, path_);
}

void writeNewFile(const std::u16string& path, std::span<const std::uint8_t> bytes) {
    NewFile file(path);
    file.write(bytes);
    file.finish();
}

void renameNoReplace(const std::u16string& from, const std::u16string& to) {
    // Without MOVEFILE_REPLACE_EXISTING the system refuses an existing target.
    if (::MoveFileExW(wide(from), wide(to), 0)) return;
    const DWORD code = ::GetLastError();
    const bool targetExists = code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS;
    throw win32::systemError(code, targetExists ? to : from);
}

void makeFolder(const std::u16string& path) {
    if (!::CreateDirectoryW(wide(path), nullptr)) fail(path);
}

void removeFile(const std::u16string& path) {
    if (!::DeleteFileW(wide(path))) fail(path);
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

std::u16string programFolder() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return u".";
        if (length < buffer.size()) {
            const std::u16string exe(reinterpret_cast<const char16_t*>(buffer.data()), length);
            const std::size_t slash = exe.rfind(kPathSeparator);
            return slash == std::u16string::npos ? u"." : exe.substr(0, slash);
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace tolvane
