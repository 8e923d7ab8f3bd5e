#pragma once
// The system's part of the profile functions: the settings file read and
// replaced as a whole. Each system's folder implements these two.

#include <optional>
#include <string>

namespace tolvane {

// The file's bytes; empty for a missing file, nothing when an existing file
// cannot be read.
std::optional<std::string> readProfileFile(const std::u16string& path);

// Writes the content beside the file and puts it in the file's place in one
// step, so that a failure (false) leaves the previous file exactly as it was.
bool replaceProfileFile(const std::u16string& path, const std::string& content);

} // namespace tolvane
