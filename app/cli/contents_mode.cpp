#include "app/cli/contents_mode.h"

#include "app/cli/interrupt.h"
#include "app/cli/item_loop.h"
#include "engine/file_steps.h"
#include "engine/textfile.h"
#include "platform/error.h"
#include "platform/utf8.h"

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

Step convertOne(const Item& item, Encoding encoding, Console& console) {
    文件内容转换 file(item.path, encoding);
    if (moveIntoBackup(file, console) == Step::Failed) return Step::Failed;
    try {
        file.读出();
        const bool cancelled = file.转换();
        if (!cancelled) file.写入();
        // Ctrl-C during the write is still a stop for this file.
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

Step previewOne(const Item& item, Encoding encoding, Console& console) {
    TextPreview preview;
    try {
        preview = previewTextFile(item.path, encoding);
    } catch (const Error& error) {
        console.fail(item.path, error.description());
        return Step::Failed;
    }
    console.print(toUtf8(item.path) + ": " + std::string(encodingName(preview.encoding)) + ", " +
                  std::to_string(preview.changedUnits) + " 个字符将被转换");
    return Step::Done;
}

} // namespace

Outcome convertContents(const std::vector<Item>& items, Encoding encoding, Console& console) {
    return forEachItem(items, console,
                       [&](const Item& item) { return convertOne(item, encoding, console); });
}

Outcome previewContents(const std::vector<Item>& items, Encoding encoding, Console& console) {
    return forEachItem(items, console,
                       [&](const Item& item) { return previewOne(item, encoding, console); });
}

} // namespace tolvane::cli
