// The command line, on any arguments (the input split at NUL): it is either
// refused with a usage message or gives options that, written out again in
// the long and in the short spellings, parse to the same options; the files
// are arguments given, in their order.

#include "app/cli/options.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace tolvane::cli;

void fail(const char* what) {
    std::fprintf(stderr, "options: %s\n", what);
    std::abort();
}

bool same(const Options& a, const Options& b) {
    return a.action == b.action && a.table == b.table && a.names == b.names &&
           a.recursive == b.recursive && a.dryRun == b.dryRun && a.quiet == b.quiet &&
           a.files == b.files;
}

std::vector<std::string> longSpelling(const Options& options) {
    std::vector<std::string> arguments;
    if (options.action == Action::ListTables) arguments.push_back("--list-tables");
    if (options.action == Action::Version) arguments.push_back("--version");
    if (options.action == Action::Help) arguments.push_back("--help");
    if (!options.table.empty()) arguments.push_back("--table=" + options.table);
    if (options.names) arguments.push_back("--names");
    if (options.recursive) arguments.push_back("--recursive");
    if (options.dryRun) arguments.push_back("--dry-run");
    if (options.quiet) arguments.push_back("--quiet");
    arguments.push_back("--");
    arguments.insert(arguments.end(), options.files.begin(), options.files.end());
    return arguments;
}

std::vector<std::string> shortSpelling(const Options& options) {
    std::string group = "-";
    if (options.action == Action::ListTables) group += 'l';
    if (options.action == Action::Version) group += 'V';
    if (options.action == Action::Help) group += 'h';
    if (options.names) group += 'n';
    if (options.recursive) group += 'r';
    if (options.quiet) group += 'q';
    std::vector<std::string> arguments;
    if (group.size() > 1) arguments.push_back(group);
    if (!options.table.empty()) arguments.insert(arguments.end(), {"-t", options.table});
    if (options.dryRun) arguments.push_back("--dry-run");
    arguments.push_back("--");
    arguments.insert(arguments.end(), options.files.begin(), options.files.end());
    return arguments;
}

bool inOrderAmong(const std::vector<std::string>& files,
                  const std::vector<std::string>& arguments) {
    std::size_t at = 0;
    for (const std::string& argument : arguments)
        if (at < files.size() && argument == files[at]) ++at;
    return at == files.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments;
    if (size > 0) arguments.emplace_back();
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            arguments.emplace_back();
        } else {
            arguments.back() += static_cast<char>(data[i]);
        }
    }
    Options options;
    try {
        options = parseOptions(arguments);
    } catch (const UsageError& error) {
        if (std::string(error.what()).empty()) fail("usage error without a message");
        return 0;
    }
    if (!inOrderAmong(options.files, arguments)) fail("files not among the arguments");
    try {
        if (!same(parseOptions(longSpelling(options)), options)) fail("long spelling differs");
        if (!same(parseOptions(shortSpelling(options)), options)) fail("short spelling differs");
    } catch (const UsageError&) {
        fail("accepted options refused when written out again");
    }
    return 0;
}
