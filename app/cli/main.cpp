// tolvane-cli: the window's conversions from the command line, through the
// same engine and the same per-file steps.

#include "app/cli/collect.h"
#include "app/cli/console.h"
#include "app/cli/contents_mode.h"
#include "app/cli/filter_mode.h"
#include "app/cli/interrupt.h"
#include "app/cli/names_mode.h"
#include "app/cli/options.h"
#include "app/cli/tables.h"
#include "engine/state.h"
#include "tolvane_version.h"

#include <iostream>

namespace {

using namespace tolvane::cli;

constexpr int kAllConverted = 0;
constexpr int kSomeFailed = 1;
constexpr int kBadUsage = 2;

int exitCode(Outcome outcome, bool argumentsFailed) {
    if (outcome == Outcome::Interrupted) return interruptedExitCode();
    if (outcome == Outcome::SomeFailed || argumentsFailed) return kSomeFailed;
    return kAllConverted;
}

Outcome convertFiles(const Options& options, const std::vector<Item>& items, Console& console) {
    if (options.names)
        return options.dryRun ? previewNames(items, console) : convertNames(items, console);
    return options.dryRun ? previewContents(items, options.encoding, console)
                          : convertContents(items, options.encoding, console);
}

int convert(const Options& options) {
    // No window to keep alive: conversions run straight through, like on the worker thread.
    tolvane::使用多线程 = true;
    if (!loadTable(tablePath(options.table))) {
        std::cerr << "tolvane-cli: " << options.table << ": 内码对照表文件不正常！\n";
        return kBadUsage;
    }
    stopOnSignals();
    Console console(!options.quiet);
    if (options.filter()) return exitCode(filterStandardStreams(options.encoding, console), false);
    const Collection collection = collectItems(options.files, options.recursive, console);
    return exitCode(convertFiles(options, collection.items, console), collection.failed);
}

int listTables() {
    for (const std::string& name : tableNames())
        std::cout << name << '\n';
    return kAllConverted;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    try {
        options = parseOptions({argv + 1, argv + argc});
    } catch (const UsageError& error) {
        std::cerr << "tolvane-cli: " << error.what() << "\n用“tolvane-cli --help”查看用法。\n";
        return kBadUsage;
    }
    switch (options.action) {
    case Action::Help:
        std::cout << usageText();
        return kAllConverted;
    case Action::Version:
        std::cout << "Tolvane " TOLVANE_VERSION "\n";
        return kAllConverted;
    case Action::ListTables:
        return listTables();
    case Action::Convert:
        break;
    }
    return convert(options);
}
