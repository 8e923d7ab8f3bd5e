#include "app/cli/tables.h"

#include "app/cli/terminal.h"
#include "engine/state.h"
#include "engine/table.h"
#include "platform/files.h"
#include "platform/utf8.h"
#include "support/places.h"

namespace tolvane::cli {

namespace {

// No caption and no combo here. Of the load's captions only a table that maps
// nothing matters: it becomes a warning, since every conversion would then
// silently change nothing.
class NoWindow : public TableLoadWindow {
  public:
    explicit NoWindow(const std::u16string& path) : path_(path) {}
    void setCaption(const std::u16string& text) override {
        if (text == kNoMappingLines)
            writeText(Stream::Error, "tolvane-cli: " + toUtf8(path_) + ": " + toUtf8(text) + "\n");
    }
    void clearSelection() override {}

  private:
    const std::u16string& path_;
};

std::vector<std::u16string> folders() {
    return tableFolders(currentSite());
}

} // namespace

std::vector<std::string> tableNames() {
    std::vector<std::string> names;
    for (const TableFile& table : listTables(folders()))
        names.push_back(toUtf8(table.name));
    return names;
}

std::u16string tablePath(const std::string& argument) {
    std::u16string given = fromUtf8(argument);
    if (given.find(kPathSeparator) != std::u16string::npos || pathKind(given) == PathKind::File)
        return given;
    // An unknown name stays as given and fails to load like a missing file.
    return tableFile(folders(), given).value_or(given);
}

bool loadTable(const std::u16string& path) {
    复位对照表();
    NoWindow window(path);
    对照表正常 = 载入对照表文件(path, window);
    return 对照表正常;
}

} // namespace tolvane::cli
