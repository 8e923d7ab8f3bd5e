// The settings file's folder and the table folders, chosen from the program's
// place and the user's XDG base directories.

#include "support/places.h"

#include "platform/files.h"
#include "platform/utf8.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace tolvane {

namespace {

constexpr const char16_t* kTables = u"对照表";
constexpr const char16_t* kSettingsFile = u"Tolvane.ini";
constexpr const char16_t* kOwnFolder = u"tolvane";

std::u16string installedTables(const std::u16string& programFolder) {
    return joinPath(joinPath(joinPath(folderOf(programFolder), u"share"), kOwnFolder), kTables);
}

// A base directory from its variable when that holds an absolute path (a
// relative one is to be ignored), else below $HOME; empty without either.
std::u16string baseFolder(const std::u16string& variable, const std::u16string& home,
                          const std::u16string& belowHome) {
    if (!variable.empty() && variable.front() == kPathSeparator) return variable;
    if (home.empty()) return {};
    return joinPath(home, belowHome);
}

// A Windows program keeps its settings and tables beside it: no user folders there.
std::u16string environment([[maybe_unused]] const char* name) {
#ifdef _WIN32
    return {};
#else
    const char* value = std::getenv(name); // NOLINT(concurrency-mt-unsafe): read at start-up
    return value == nullptr ? std::u16string{} : fromUtf8(value);
#endif
}

} // namespace

ProgramSite siteAt(const std::u16string& folder) {
    ProgramSite site;
    site.folder = folder;
    site.tablesBeside = pathKind(joinPath(site.folder, kTables)) == PathKind::Folder;
    site.settingsBeside = pathKind(joinPath(site.folder, kSettingsFile)) == PathKind::File;
    site.writable = folderWritable(site.folder);
    site.installedTables = pathKind(installedTables(site.folder)) == PathKind::Folder;
    site.home = environment("HOME");
    site.configHome = environment("XDG_CONFIG_HOME");
    site.dataHome = environment("XDG_DATA_HOME");
    return site;
}

ProgramSite currentSite() {
    return siteAt(programFolder());
}

std::u16string settingsFolder(const ProgramSite& site) {
    const bool installed = !site.tablesBeside && site.installedTables;
    if (site.settingsBeside || (site.writable && !installed)) return site.folder;
    const std::u16string config = baseFolder(site.configHome, site.home, u".config");
    // Without any user folder the program's own is the only candidate; a
    // failed write is then reported like any other.
    return config.empty() ? site.folder : joinPath(config, kOwnFolder);
}

std::vector<std::u16string> tableFolders(const ProgramSite& site) {
    if (site.tablesBeside) return {joinPath(site.folder, kTables)};
    std::vector<std::u16string> folders{installedTables(site.folder)};
    const std::u16string data = baseFolder(site.dataHome, site.home, u".local/share");
    if (!data.empty()) folders.push_back(joinPath(joinPath(data, kOwnFolder), kTables));
    return folders;
}

std::vector<TableFile> listTables(const std::vector<std::u16string>& folders) {
    std::map<std::u16string, std::u16string> byName;
    for (const std::u16string& folder : folders) {
        for (const std::u16string& name : listFiles(folder, u"*.txt"))
            byName[name] = joinPath(folder, name);
    }
    std::vector<TableFile> tables;
    tables.reserve(byName.size());
    for (const auto& [name, path] : byName)
        tables.push_back({name, path});
    return tables;
}

std::optional<std::u16string> tableFile(const std::vector<std::u16string>& folders,
                                        const std::u16string& name) {
    const std::vector<TableFile> tables = listTables(folders);
    for (const std::u16string& candidate : {name, name + u".txt"}) {
        const auto found = std::ranges::find(tables, candidate, &TableFile::name);
        if (found != tables.end()) return found->path;
    }
    return std::nullopt;
}

std::optional<std::u16string> tableArgumentFile(const std::vector<std::u16string>& folders,
                                                const std::u16string& argument) {
    const bool isPath = argument.find_first_of(kPathSeparators) != std::u16string::npos;
    if (isPath || pathKind(argument) == PathKind::File)
        return pathKind(argument) == PathKind::Missing ? std::nullopt : std::optional(argument);
    return tableFile(folders, argument);
}

} // namespace tolvane
