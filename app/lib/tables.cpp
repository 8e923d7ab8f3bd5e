// Opening and listing tables, found where the programs installed with the
// library find theirs.

#include "app/lib/errors.h"
#include "app/lib/library_folder.h"
#include "app/lib/table_handle.h"
#include "platform/files.h"
#include "platform/utf8.h"
#include "support/places.h"

#include <memory>

namespace tolvane::lib {

namespace {

// Nothing to show: the outcome says what happened, and no load is cancelled.
class NoWindow : public TableLoadWindow {
  public:
    void setCaption(const std::u16string& /*text*/) override {}
    void clearSelection() override {}
};

// Tables beside the library (a build tree, a Windows folder), else those of
// the programs installed with it, and the user's own.
std::vector<std::u16string> tableFolders() {
    const std::u16string own = libraryFolder();
    const ProgramSite beside = siteAt(own);
    if (beside.tablesBeside) return tableFolders(beside);
    return tableFolders(siteAt(joinPath(own, TOLVANE_PROGRAMS_FROM_LIBRARY)));
}

tolvane_table* open(const char* argument, unsigned flags) {
    require(argument, "table");
    if ((flags & ~unsigned{TOLVANE_CHARACTERS_ONLY}) != 0)
        throw Failure(TOLVANE_ERROR_ARGUMENT, "不认识的 flags");
    const std::optional<std::u16string> path =
        tableArgumentFile(tableFolders(), fromUtf8(argument));
    if (!path) throw Failure(TOLVANE_ERROR_TABLE, std::string("找不到对照表“") + argument + "”");
    NoWindow window;
    const LoadedTable loaded =
        载入对照表文件(*path, window, (flags & TOLVANE_CHARACTERS_ONLY) == 0);
    if (!loaded.table)
        throw Failure(TOLVANE_ERROR_TABLE, "“" + toUtf8(*path) + "”：内码对照表文件不正常！");
    return new tolvane_table{loaded.table, toUtf8(*path),
                             loaded.outcome == LoadOutcome::MapsNothing};
}

} // namespace

const 内码对照表& tableOf(const tolvane_table* handle) {
    require(handle, "table");
    return *handle->table;
}

} // namespace tolvane::lib

using namespace tolvane;
using namespace tolvane::lib;

extern "C" {

tolvane_status tolvane_table_open(const char* table, unsigned flags, tolvane_table** result,
                                  tolvane_error** error) noexcept {
    return guarded(error, [&] {
        require(result, "result");
        *result = open(table, flags);
    });
}

const char* tolvane_table_path(const tolvane_table* table) noexcept {
    return table == nullptr ? "" : table->path.c_str();
}

size_t tolvane_table_phrases(const tolvane_table* table) noexcept {
    return table == nullptr ? 0 : table->table->词组().size();
}

int tolvane_table_maps_nothing(const tolvane_table* table) noexcept {
    return table != nullptr && table->mapsNothing ? 1 : 0;
}

void tolvane_table_free(tolvane_table* table) noexcept {
    delete table;
}

tolvane_status tolvane_list_tables(tolvane_table_visitor visit, void* context,
                                   tolvane_error** error) noexcept {
    return guarded(error, [&] {
        if (visit == nullptr) throw Failure(TOLVANE_ERROR_ARGUMENT, "visit 不能是 NULL");
        for (const TableFile& file : listTables(tableFolders()))
            visit(toUtf8(file.name).c_str(), toUtf8(file.path).c_str(), context);
    });
}

} // extern "C"
