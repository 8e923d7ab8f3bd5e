#pragma once
// Building blocks of files.cpp, open to the tests so that failures the file
// system rarely produces (a full disk, no RENAME_NOREPLACE) can be exercised,
// and to the command-line tool for its standard output.

#include <cstdint>
#include <span>
#include <string>

namespace tolvane::posix {

// Writes every byte to fd; false with errno set when the system refuses or
// stops writing (a write that makes no progress counts as a full disk).
bool writeAll(int fd, std::span<const std::uint8_t> bytes);

// Moves a file by hard link and unlink: never replaces an existing target.
// Throws Error.
void renameByLink(const std::string& from, const std::string& to, const std::u16string& shownPath);

} // namespace tolvane::posix
