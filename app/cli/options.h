#pragma once
// The command line: what to do, with which table, on which files.

#include "engine/encoding.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace tolvane::cli {

// Ordered by precedence: when several are given, the last in this order wins.
enum class Action { Convert, ListTables, Version, Help };

struct Options {
    Action action = Action::Convert;
    std::string table;
    bool names = false;
    bool recursive = false;
    bool dryRun = false;
    bool quiet = false;
    // Phrase rules stay out: the table converts character by character.
    bool charactersOnly = false;
    tolvane::Encoding encoding = tolvane::Encoding::Auto;
    // The encoding converted files are written in; Auto: each in its own.
    tolvane::Encoding output = tolvane::Encoding::Auto;
    std::vector<std::string> files;

    // No file, or only "-": standard input to standard output.
    bool filter() const { return files.empty() || (files.size() == 1 && files[0] == "-"); }
};

// A command line that cannot be obeyed; the message is UTF-8 Chinese.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The arguments after the program's name. Throws UsageError.
Options parseOptions(const std::vector<std::string>& arguments);

std::string usageText();

} // namespace tolvane::cli
