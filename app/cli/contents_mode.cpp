#include "app/cli/contents_mode.h"

#include "app/cli/interrupt.h"
#include "app/cli/item_loop.h"
#include "engine/convert.h"
#include "engine/file_steps.h"
#include "engine/table.h"
#include "engine/textfile.h"
#include "platform/error.h"
#include "platform/utf8.h"

#include <algorithm>

namespace tolvane::cli {

namespace {

void putBack(文件内容转换& file, Console& console) {
    const std::u16string backup = file.备份路径();
    try {
        file.复原();
    } catch (const Error& error) {
        console.fail(file.源路径(), "不能放回原处，未转换的文件留在“" + toUtf8(backup) + "”。" +
                                        toUtf8(error.description()));
    }
}

Step moveIntoBackup(文件内容转换& file, Console& console) {
    try {
        file.移入备份();
        return Step::Done;
    } catch (const Error& error) {
        if (error.number() == kFileNotFound) {
            console.fail(file.源路径(), "源文件不正常！");
        } else {
            console.fail(file.源路径(), error.description());
        }
        return Step::Failed;
    }
}

// The text array is reused from file to file, as in the window's job.
Step convertOne(const Item& item, std::vector<char16_t>& text, Console& console) {
    文件内容转换 file(item.path);
    if (moveIntoBackup(file, console) == Step::Failed) return Step::Failed;
    try {
        file.读出(text);
        const bool cancelled = 转换内码(text);
        if (!cancelled) file.写入(text);
        // Ctrl-C during the read or the write is still a stop for this file.
        if (cancelled || takeInterrupt()) {
            putBack(file, console);
            return Step::Interrupted;
        }
        return Step::Done;
    } catch (const Error& error) {
        console.fail(item.path, error.description());
        putBack(file, console);
        return Step::Failed;
    }
}

Step previewOne(const Item& item, std::vector<char16_t>& text, Console& console) {
    std::u16string path = item.path;
    try {
        读文本文件(path, text);
    } catch (const Error& error) {
        console.fail(item.path, error.description());
        return Step::Failed;
    }
    const auto changed =
        std::ranges::count_if(text, [](char16_t unit) { return 查表(unit) != unit; });
    console.print(toUtf8(item.path) + ": " + std::to_string(changed) + " 个字符将被转换");
    return Step::Done;
}

} // namespace

Outcome convertContents(const std::vector<Item>& items, Console& console) {
    std::vector<char16_t> text;
    return forEachItem(items, console,
                       [&](const Item& item) { return convertOne(item, text, console); });
}

Outcome previewContents(const std::vector<Item>& items, Console& console) {
    std::vector<char16_t> text;
    return forEachItem(items, console,
                       [&](const Item& item) { return previewOne(item, text, console); });
}

} // namespace tolvane::cli
