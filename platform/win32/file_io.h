#pragma once
// Building blocks of files.cpp, open to the tests so that failures the file
// system rarely produces can be exercised, and to the command-line tool for
// its standard output.

#include <cstdint>
#include <span>
#include <string>

namespace tolvane::win32 {

// A path as the wide-character API takes it.
inline const wchar_t* wide(const std::u16string& path) {
    return reinterpret_cast<const wchar_t*>(path.c_str());
}

// Writes every byte to the handle (a HANDLE); false with the thread's last
// error set when the system refuses or stops writing (a write that makes no
// progress counts as a full disk).
bool writeAll(void* handle, std::span<const std::uint8_t> bytes);

} // namespace tolvane::win32
