#include "app/cli/tables.h"

#include "engine/state.h"
#include "engine/table.h"
#include "platform/files.h"
#include "platform/utf8.h"

#include <algorithm>

namespace tolvane::cli {

namespace {

// No caption and no combo here: the load's window operations have nowhere to go.
class NoWindow : public TableLoadWindow {
  public:
    void setCaption(const std::u16string& /*text*/) override {}
    void clearSelection() override {}
};

std::u16string tableFolder() {
    return programFolder() + kPathSeparator + u"对照表";
}

} // namespace

std::vector<std::string> shippedTableNames() {
    std::vector<std::string> names;
    for (const std::u16string& name : listFiles(tableFolder(), u"*.txt"))
        names.push_back(toUtf8(name));
    std::ranges::sort(names);
    return names;
}

std::u16string tablePath(const std::string& argument) {
    std::u16string given = fromUtf8(argument);
    if (given.find(kPathSeparator) != std::u16string::npos || pathKind(given) == PathKind::File)
        return given;
    std::u16string beside = tableFolder() + kPathSeparator + given;
    if (pathKind(beside) == PathKind::File || given.ends_with(u".txt")) return beside;
    return beside + u".txt";
}

bool loadTable(const std::u16string& path) {
    复位对照表();
    NoWindow window;
    对照表正常 = 载入对照表文件(path, window);
    return 对照表正常;
}

} // namespace tolvane::cli
