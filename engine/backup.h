#pragma once
// Backup folders ~Vebzo01.bak, ~Vebzo02.bak ... beside a file, holding the
// unconverted files under their own names.

#include "support/perl2.h"

#include <cstdint>
#include <string>

namespace tolvane {

// Moves the file into the first backup folder beside it that has no file of
// that name and returns its new path; 新建了文件夹 tells whether that folder
// was made for it. Throws Error (kFileNotFound when the file is missing); on any failure
// the file stays where it was and no folder made for it is left behind.
std::u16string 移入备份(const std::u16string& 路径, bool* 新建了文件夹 = nullptr);

// The path the file 名称 gets in the folder's backup folders, creating the
// folder when needed. An empty 名称 only resets the counter and gives "".
std::u16string 备份路径(const std::u16string& 文件夹, const std::u16string& 名称);

// A path taken apart at its separators: every field kept, empty ones too, so
// that a path ending in a separator has an empty name and names no file.
struct PathParts {
    ListValue folderFields;
    std::u16string name;
};
PathParts splitPath(const std::u16string& path);
// The folder's fields and a name put together again.
std::u16string joinParts(const ListValue& folderFields, const std::u16string& name);

// 0 nothing there, 1 a file, 2 a folder.
std::int32_t 路径类型(const std::u16string& 路径);

} // namespace tolvane
