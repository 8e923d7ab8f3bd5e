#pragma once
// A path taken apart into its folder and its last component at the separator.

#include <string>

namespace tolvane {

struct PathParts {
    std::u16string folder; // without the separator before the name
    std::u16string name;
    bool hasFolder = false; // the path held a separator at all
};

// The last component exactly as written: "a/b/" gives folder "a/b" and name "".
PathParts splitLast(const std::u16string& path);

// Trailing separators dropped first: "a/b/" gives folder "a" and name "b".
PathParts splitLastName(const std::u16string& path);

// The folder part, the separator and the name; just the name without a folder.
std::u16string joinPath(const PathParts& parts, const std::u16string& name);

} // namespace tolvane
