#include "app/cli/contents_mode.h"

#include "app/cli/interrupt.h"
#include "app/cli/item_loop.h"
#include "app/cli/pending_writes.h"
#include "engine/file_steps.h"
#include "engine/state.h"
#include "engine/textfile.h"
#include "platform/error.h"
#include "platform/utf8.h"

#include <memory>

namespace tolvane::cli {

namespace {

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
    } catch (...) {
        console.fail(file.源路径(), describeException(std::current_exception()));
        return Step::Failed;
    }
}

Step convertOne(const 内码对照表& table, const Item& item, Encoding encoding,
                PendingWrites& pending, Console& console) {
    auto file = std::make_unique<文件内容转换>(table, item.path, encoding);
    if (moveIntoBackup(*file, console) == Step::Failed) return Step::Failed;
    try {
        file->读出();
        // Ctrl-C during the conversion or just after it is a stop for this file.
        if (file->转换(stopRequested) || takeInterrupt()) {
            putBack(*file, console);
            return Step::Interrupted;
        }
    } catch (...) {
        console.fail(item.path, describeException(std::current_exception()));
        putBack(*file, console);
        return Step::Failed;
    }
    pending.add(std::move(file), item.size);
    return Step::Done;
}

Step previewOne(const 内码对照表& table, const Item& item, Encoding encoding, Console& console) {
    TextPreview preview;
    try {
        preview = previewTextFile(table, item.path, encoding);
    } catch (...) {
        console.fail(item.path, describeException(std::current_exception()));
        return Step::Failed;
    }
    console.print(toUtf8(item.path) + ": " + std::string(encodingName(preview.encoding)) + ", " +
                  std::to_string(preview.changedUnits) + " 个字符将被转换");
    return Step::Done;
}

} // namespace

// Converted files are put in place in groups (PendingWrites); those converted
// before a Ctrl-C are still put in place.
Outcome convertContents(const 内码对照表& table, const std::vector<Item>& items, Encoding encoding,
                        Console& console) {
    PendingWrites pending(console);
    const Outcome outcome = forEachItem(items, console, [&](const Item& item) {
        return convertOne(table, item, encoding, pending, console);
    });
    pending.putInPlace();
    if (outcome == Outcome::Converted && pending.anyFailed()) return Outcome::SomeFailed;
    return outcome;
}

Outcome previewContents(const 内码对照表& table, const std::vector<Item>& items, Encoding encoding,
                        Console& console) {
    return forEachItem(items, console, [&](const Item& item) {
        return previewOne(table, item, encoding, console);
    });
}

} // namespace tolvane::cli
