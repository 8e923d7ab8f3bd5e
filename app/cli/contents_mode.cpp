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

Step convertOne(const 内码对照表& table, const Item& item, const StreamRequest& request,
                PendingWrites& pending, Console& console) {
    auto file = std::make_unique<文件内容转换>(table, item.path, request.encoding, request.output);
    if (moveIntoBackup(*file, console) == Step::Failed) return Step::Failed;
    try {
        file->读出();
        // Ctrl-C during the conversion or just after it is a stop for this file.
        if (file->转换(stopRequested) || takeInterrupt()) {
            putBack(*file, console);
            return Step::Interrupted;
        }
    } catch (...) {
        console.fail(item.path, std::current_exception());
        putBack(*file, console);
        return Step::Failed;
    }
    pending.add(std::move(file), item.size);
    return Step::Done;
}

Step previewOne(const 内码对照表& table, const Item& item, const StreamRequest& request,
                Console& console) {
    TextPreview preview;
    try {
        preview = previewTextFile(table, item.path, request);
    } catch (...) {
        console.fail(item.path, std::current_exception());
        return Step::Failed;
    }
    std::string encodings(encodingName(preview.encoding));
    if (request.output != Encoding::Auto && request.output != preview.encoding)
        encodings += " → " + std::string(encodingName(request.output));
    console.print(toUtf8(item.path) + ": " + encodings + ", " +
                  std::to_string(preview.changedUnits) + " 个字符将被转换");
    if (!preview.refusal) return Step::Done;
    console.fail(item.path, preview.refusal);
    return Step::Failed;
}

} // namespace

// Converted files are put in place in groups (PendingWrites); those converted
// before a Ctrl-C are still put in place.
Outcome convertContents(const 内码对照表& table, const std::vector<Item>& items,
                        const StreamRequest& request, Console& console) {
    PendingWrites pending(console);
    const Outcome outcome = forEachItem(items, console, [&](const Item& item) {
        return convertOne(table, item, request, pending, console);
    });
    pending.putInPlace();
    if (outcome == Outcome::Converted && pending.anyFailed()) return Outcome::SomeFailed;
    return outcome;
}

Outcome previewContents(const 内码对照表& table, const std::vector<Item>& items,
                        const StreamRequest& request, Console& console) {
    return forEachItem(items, console,
                       [&](const Item& item) { return previewOne(table, item, request, console); });
}

} // namespace tolvane::cli
