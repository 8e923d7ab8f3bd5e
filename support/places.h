#pragma once
// Where the program keeps its settings file and finds its mapping tables.
// Run from a folder of its own (a portable copy, a build tree) it keeps both
// beside itself. Installed system-wide it reads the shipped tables from
// <prefix>/share/tolvane/对照表, found from its own <prefix>/bin, and keeps each
// user's settings and extra tables in the user's folders (the XDG base
// directories), which need no administrator rights.

#include <optional>
#include <string>
#include <vector>

namespace tolvane {

// What the system says about the program's folder and the user's folders.
struct ProgramSite {
    std::u16string folder;        // the program's folder
    bool tablesBeside = false;    // the folder 对照表 is beside the program
    bool settingsBeside = false;  // Tolvane.ini is beside the program
    bool writable = false;        // files can be created in the program's folder
    bool installedTables = false; // <folder>/../share/tolvane/对照表 exists
    // $HOME, $XDG_CONFIG_HOME, $XDG_DATA_HOME; empty when unset.
    std::u16string home;
    std::u16string configHome;
    std::u16string dataHome;
};

// The site of a program in the folder: the running program's is currentSite();
// the library's is that of the folder the programs beside it are in.
ProgramSite siteAt(const std::u16string& folder);
ProgramSite currentSite();

// The folder that holds Tolvane.ini: beside the program when the file is
// already there, or when the folder can be written and is not an installed
// program's bin folder (where even root must not leave files); otherwise
// $XDG_CONFIG_HOME/tolvane (~/.config/tolvane). Created when first written.
std::u16string settingsFolder(const ProgramSite& site);

// The folders that hold mapping tables, lowest precedence first: 对照表 beside
// the program when it exists; otherwise the installed tables and the user's
// own in $XDG_DATA_HOME/tolvane/对照表 (~/.local/share/tolvane/对照表).
std::vector<std::u16string> tableFolders(const ProgramSite& site);

struct TableFile {
    std::u16string name; // the file name, "简体到繁体.txt"
    std::u16string path;
};

// The "*.txt" files of the folders, one per name, sorted by name. A name
// found in several folders means the file in the last of them, so a user's
// table replaces a shipped one of the same name.
std::vector<TableFile> listTables(const std::vector<std::u16string>& folders);

// The file a table name means: the listed file of that name, or of that name
// followed by ".txt". Nothing when no folder holds it.
std::optional<std::u16string> tableFile(const std::vector<std::u16string>& folders,
                                        const std::u16string& name);

// The file a table argument means: itself when it holds a separator or names
// an existing file, otherwise the table of that name (tableFile). Nothing when
// no such file exists.
std::optional<std::u16string> tableArgumentFile(const std::vector<std::u16string>& folders,
                                                const std::u16string& argument);

} // namespace tolvane
