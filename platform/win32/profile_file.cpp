#include "platform/profile_file.h"

#include "platform/files.h"
#include "platform/win32/file_io.h"

#include <windows.h>

namespace tolvane {

using win32::wide;

namespace {

bool writeThrough(const std::u16string& path, const std::string& content) {
    const HANDLE file = ::CreateFileW(wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool written = win32::writeAll(
        file, {reinterpret_cast<const std::uint8_t*>(content.data()), content.size()});
    written = ::FlushFileBuffers(file) && written;
    return ::CloseHandle(file) && written;
}

} // namespace

std::optional<std::string> readProfileFile(const std::u16string& path) {
    const HANDLE file = ::CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (::GetLastError() == ERROR_FILE_NOT_FOUND) return std::string{};
        return std::nullopt;
    }
    std::string content;
    char chunk[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ::ReadFile(file, chunk, sizeof chunk, &got, nullptr)) && got > 0)
        content.append(chunk, got);
    ::CloseHandle(file);
    if (!ok) return std::nullopt;
    return content;
}

bool replaceProfileFile(const std::u16string& path, const std::string& content) {
    const std::u16string temporary = path + u".tmp";
    if (writeThrough(temporary, content) &&
        ::MoveFileExW(wide(temporary), wide(path),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    ::DeleteFileW(wide(temporary));
    return false;
}

} // namespace tolvane
