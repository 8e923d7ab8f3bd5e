#pragma once
// The loop every file mode shares: items in order, the progress line, and
// Ctrl-C noticed between items.

#include "app/cli/collect.h"
#include "app/cli/console.h"
#include "app/cli/interrupt.h"
#include "app/cli/outcome.h"

#include <vector>

namespace tolvane::cli {

enum class Step { Done, Failed, Interrupted };

template <typename StepFunction>
Outcome forEachItem(const std::vector<Item>& items, Console& console, StepFunction step) {
    std::uintmax_t totalBytes = 0;
    for (const Item& item : items)
        totalBytes += item.size;
    console.progress().start(items.size(), totalBytes);
    bool failed = false;
    for (const Item& item : items) {
        if (takeInterrupt()) return Outcome::Interrupted;
        const Step result = step(item);
        if (result == Step::Interrupted) return Outcome::Interrupted;
        failed = failed || result == Step::Failed;
        console.progress().itemDone(item.size);
    }
    return failed ? Outcome::SomeFailed : Outcome::Converted;
}

} // namespace tolvane::cli
