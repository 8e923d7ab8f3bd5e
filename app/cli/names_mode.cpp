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

template <typename Rename> Step renameOne(const Item& item, Console& console, Rename rename) {
    if (pathKind(item.path) != PathKind::File) {
        console.fail("文件“" + toUtf8(item.path) + "”不存在");
        return Step::Failed;
    }
    const 文件名转换结果 converted = 转换文件名(item.path);
    if (converted.已取消) return Step::Interrupted;
    if (converted.新路径 == item.path) return Step::Done;
    try {
        rename(item.path, converted.新路径);
    } catch (...) {
        console.fail(item.path, describeException(std::current_exception()));
        return Step::Failed;
    }
    console.print(toUtf8(item.path) + " -> " + toUtf8(converted.新路径));
    return Step::Done;
}

} // namespace

Outcome convertNames(const std::vector<Item>& items, Console& console) {
    return forEachItem(items, console,
                       [&](const Item& item) { return renameOne(item, console, 改名); });
}

Outcome previewNames(const std::vector<Item>& items, Console& console) {
    return forEachItem(items, console,
                       [&](const Item& item) { return renameOne(item, console, checkRename); });
}

} // namespace tolvane::cli
