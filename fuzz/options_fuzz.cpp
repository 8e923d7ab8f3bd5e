// Any arguments (the input split at NUL) are refused with a message or give
// options that parse the same written out again long or short; the files are
// arguments given, in their order.

#include "app/cli/options.h"
#include "fuzz_check.h"

#include <vector>

using namespace tolvane::cli;

namespace {

bool same(const Options& a, const Options& b) {
    return a.action == b.action && a.table == b.table && a.names == b.names &&
           a.recursive == b.recursive && a.dryRun == b.dryRun && a.quiet == b.quiet &&
           a.charactersOnly == b.charactersOnly && a.encoding == b.encoding &&
           a.output == b.output && a.files == b.files;
}

std::vector<std::string> spelled(const Options& o, bool longForm) {
    const std::pair<bool, std::pair<const char*, char>> flags[] = {
        {o.action == Action::ListTables, {"--list-tables", 'l'}},
        {o.action == Action::Version, {"--version", 'V'}},
        {o.action == Action::Help, {"--help", 'h'}},
        {o.names, {"--names", 'n'}},
        {o.recursive, {"--recursive", 'r'}},
        {o.quiet, {"--quiet", 'q'}},
        {o.charactersOnly, {"--characters-only", 'c'}}};
    std::vector<std::string> arguments;
    std::string group = "-";
    for (const auto& [set, spelling] : flags)
        if (set && longForm)
            arguments.emplace_back(spelling.first);
        else if (set)
            group += spelling.second;
    if (group.size() > 1) arguments.push_back(group);
    const std::string encoding(tolvane::encodingName(o.encoding));
    if (longForm) {
        if (!o.table.empty()) arguments.push_back("--table=" + o.table);
        arguments.push_back("--encoding=" + encoding);
    } else {
        if (!o.table.empty()) arguments.insert(arguments.end(), {"-t", o.table});
        arguments.push_back("-e" + encoding);
    }
    if (o.output != tolvane::Encoding::Auto)
        arguments.push_back("--to=" + std::string(tolvane::encodingName(o.output)));
    if (o.dryRun) arguments.emplace_back("--dry-run");
    arguments.emplace_back("--");
    arguments.insert(arguments.end(), o.files.begin(), o.files.end());
    return arguments;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments(size > 0 ? 1 : 0);
    for (std::size_t i = 0; i < size; ++i)
        data[i] == 0 ? arguments.emplace_back() : arguments.back() += static_cast<char>(data[i]);
    Options options;
    try {
        options = parseOptions(arguments);
    } catch (const UsageError& error) {
        return check(*error.what() != '\0', "a usage error has a message"), 0;
    }
    std::size_t at = 0;
    for (const std::string& argument : arguments)
        at += at < options.files.size() && argument == options.files[at];
    check(at == options.files.size(), "files are among the arguments, in order");
    try {
        check(same(parseOptions(spelled(options, true)), options) &&
                  same(parseOptions(spelled(options, false)), options),
              "long and short spellings agree");
    } catch (const UsageError&) {
        check(false, "accepted options are accepted written out again");
    }
    return 0;
}
