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
#include "app/cli/terminal.h"
#include "engine/state.h"
#include "tolvane_version.h"

#include <string>
#include <vector>

#ifdef _WIN32
#include "platform/utf8.h"
#endif

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

Outcome convertFiles(const tolvane::内码对照表& table, const Options& options,
                     const std::vector<Item>& items, Console& console) {
    if (options.names)
        return options.dryRun ? previewNames(table, items, console)
                              : convertNames(table, items, console);
    const tolvane::StreamRequest request{.encoding = options.encoding, .output = options.output};
    return options.dryRun ? previewContents(table, items, request, console)
                          : convertContents(table, items, request, console);
}

int convert(const Options& options) {
    // No window to keep alive: conversions run straight through, like on the worker thread.
    tolvane::使用多线程 = true;
    const auto path = tablePath(options.table);
    if (!path) {
        writeText(Stream::Error, "tolvane-cli: 找不到对照表“" + options.table +
                                     "”；用“tolvane-cli -l”列出可用的对照表。\n");
        return kBadUsage;
    }
    const tolvane::TablePtr table = loadTable(*path, !options.charactersOnly).table;
    if (!table) {
        writeText(Stream::Error, "tolvane-cli: " + options.table + ": 内码对照表文件不正常！\n");
        return kBadUsage;
    }
    stopOnSignals();
    Console console(!options.quiet);
    if (options.filter())
        return exitCode(
            filterStandardStreams(*table, {.encoding = options.encoding, .output = options.output},
                                  console),
            false);
    const Collection collection = collectItems(options.files, options.recursive, console);
    return exitCode(convertFiles(*table, options, collection.items, console), collection.failed);
}

// A table's name, a tab and its phrase rules, so that scripts can cut at the tab.
int listTables() {
    for (const ListedTable& table : listedTables())
        writeText(Stream::Output, table.name + "\t" + std::to_string(table.phrases) + " 个词组\n");
    return kAllConverted;
}

// arguments: UTF-8, without the program's name.
int run(const std::vector<std::string>& arguments) {
    Options options;
    try {
        options = parseOptions(arguments);
    } catch (const UsageError& error) {
        writeText(Stream::Error, std::string("tolvane-cli: ") + error.what() +
                                     "\n用“tolvane-cli --help”查看用法。\n");
        return kBadUsage;
    }
    switch (options.action) {
    case Action::Help:
        writeText(Stream::Output, usageText());
        return kAllConverted;
    case Action::Version:
        writeText(Stream::Output, "Tolvane " TOLVANE_VERSION "\n");
        return kAllConverted;
    case Action::ListTables:
        return listTables();
    case Action::Convert:
        break;
    }
    return convert(options);
}

} // namespace

#ifdef _WIN32
// Arguments arrive as UTF-16, so that names outside the system's code page survive.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(tolvane::toUtf8(reinterpret_cast<const char16_t*>(argv[i])));
    return run(arguments);
}
#else
int main(int argc, char** argv) {
    return run({argv + 1, argv + argc});
}
#endif
