#include "engine/backup.h"

#include "platform/error.h"
#include "platform/files.h"
#include "support/perl2.h"

#include <cerrno>

namespace tolvane {

namespace {

ListValue separator() {
    return std::u16string(1, kPathSeparator);
}

// The number of the backup folder last tried; the search for a free one
// starts over at 01 for every file. Threads converting at once count apart.
thread_local std::int32_t backupCounter = 0;

std::u16string twoDigitsAtLeast(std::int32_t number) {
    std::u16string digits;
    for (; number > 0 || digits.size() < 2; number /= 10)
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + number % 10));
    return digits;
}

// False when another run (a thread, another program) made it first.
bool madeFolder(const std::u16string& path) {
    try {
        makeFolder(path);
        return true;
    } catch (const Error&) {
        if (pathKind(path) == PathKind::Folder) return false;
        throw;
    }
}

// 备份路径, also telling whether it made the backup folder.
std::u16string backupPathIn(const std::u16string& 文件夹, const std::u16string& 名称,
                            bool& created) {
    created = false;
    for (;;) {
        ++backupCounter;
        std::u16string candidate = 文件夹;
        candidate += kPathSeparator;
        candidate += u"~Vebzo" + twoDigitsAtLeast(backupCounter) + u".bak";
        std::u16string inside = candidate;
        inside += kPathSeparator;
        inside += 名称;
        switch (pathKind(candidate)) {
        case PathKind::Missing:
            if (madeFolder(candidate)) {
                created = true;
                return inside;
            }
            [[fallthrough]]; // another run made it meanwhile
        case PathKind::Folder:
            if (pathKind(inside) == PathKind::Missing) return inside;
            break;
        case PathKind::File:
            break;
        }
    }
}

} // namespace

std::u16string 备份路径(const std::u16string& 文件夹, const std::u16string& 名称) {
    if (名称.empty()) {
        backupCounter = 0;
        return {};
    }
    bool created = false;
    return backupPathIn(文件夹, 名称, created);
}

std::u16string 移入备份(const std::u16string& 路径, bool* 新建了文件夹) {
    备份路径(u"", u"");
    // Only a file is moved: a folder would not be read back as text, and
    // refusing here leaves no stray backup folder behind.
    switch (pathKind(路径)) {
    case PathKind::Missing:
        throw systemError(ENOENT, 路径);
    case PathKind::Folder:
        throw systemError(EISDIR, 路径);
    case PathKind::File:
        break;
    }
    const PathParts parts = splitPath(路径);
    // A bare name lies in the current folder.
    const std::u16string folder =
        IsNonEmptyArray(parts.folderFields) ? Join(separator(), parts.folderFields).text() : u".";
    bool created = false;
    std::u16string target = backupPathIn(folder, parts.name, created);
    try {
        renameNoReplace(路径, target);
    } catch (const Error&) {
        if (created) removeFolderIfEmpty(folderOf(target));
        throw;
    }
    if (新建了文件夹 != nullptr) *新建了文件夹 = created;
    return target;
}

PathParts splitPath(const std::u16string& path) {
    PathParts parts{Split(separator(), path, -1), {}};
    parts.name = Pop(parts.folderFields).text();
    return parts;
}

std::u16string joinParts(const ListValue& folderFields, const std::u16string& name) {
    return Join(separator(), folderFields, name).text();
}

std::int32_t 路径类型(const std::u16string& 路径) {
    return static_cast<std::int32_t>(pathKind(路径));
}

} // namespace tolvane
