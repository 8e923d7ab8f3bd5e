#include "app/cli/tables.h"

#include "app/cli/terminal.h"
#include "platform/utf8.h"
#include "support/places.h"

namespace tolvane::cli {

namespace {

// No caption and no combo here: the outcome tells what happened.
class NoWindow : public TableLoadWindow {
  public:
    void setCaption(const std::u16string& /*text*/) override {}
    void clearSelection() override {}
};

std::vector<std::u16string> folders() {
    return tableFolders(currentSite());
}

} // namespace

std::vector<ListedTable> listedTables() {
    std::vector<ListedTable> tables;
    for (const TableFile& file : listTables(folders())) {
        NoWindow window;
        const LoadedTable loaded = 载入对照表文件(file.path, window, true);
        tables.push_back({toUtf8(file.name), loaded.table ? loaded.table->词组().size() : 0});
    }
    return tables;
}

std::optional<std::u16string> tablePath(const std::string& argument) {
    return tableArgumentFile(folders(), fromUtf8(argument));
}

LoadedTable loadTable(const std::u16string& path, bool phrases) {
    NoWindow window;
    LoadedTable loaded = 载入对照表文件(path, window, phrases);
    if (loaded.outcome == LoadOutcome::MapsNothing)
        writeText(Stream::Error,
                  "tolvane-cli: " + toUtf8(path) + ": " + toUtf8(kNoMappingLines) + "\n");
    return loaded;
}

} // namespace tolvane::cli
