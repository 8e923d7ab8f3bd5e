#include "app/cli/names_mode.h"

#include "app/cli/item_loop.h"
#include "engine/file_steps.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/utf8.h"

#include <cerrno>

namespace tolvane::cli {

namespace {

// The dry run's stand-in for 改名: the same refusal, nothing moved.
void checkRename(const std::u16string& oldPath, const std::u16string& newPath) {
    检查新文件名(oldPath, newPath);
    if (pathKind(newPath) != PathKind::Missing) throw systemError(EEXIST, newPath);
}

template <typename Rename>
Step renameOne(const 内码对照表& table, const Item& item, Console& console, Rename rename) {
    if (pathKind(item.path) != PathKind::File) {
        console.fail("文件“" + toUtf8(item.path) + "”不存在");
        return Step::Failed;
    }
    const std::u16string newPath = 转换文件名(table, item.path);
    if (newPath == item.path) return Step::Done;
    try {
        rename(item.path, newPath);
    } catch (...) {
        console.fail(item.path, describeException(std::current_exception()));
        return Step::Failed;
    }
    console.print(toUtf8(item.path) + " -> " + toUtf8(newPath));
    return Step::Done;
}

} // namespace

Outcome convertNames(const 内码对照表& table, const std::vector<Item>& items, Console& console) {
    return forEachItem(items, console,
                       [&](const Item& item) { return renameOne(table, item, console, 改名); });
}

Outcome previewNames(const 内码对照表& table, const std::vector<Item>& items, Console& console) {
    return forEachItem(items, console, [&](const Item& item) {
        return renameOne(table, item, console, checkRename);
    });
}

} // namespace tolvane::cli
