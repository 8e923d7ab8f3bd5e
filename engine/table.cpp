#include "engine/table.h"

#include "engine/fast_tables.h"

#include <numeric>

namespace tolvane {

内码对照表::内码对照表() {
    std::iota(units_.begin(), units_.end(), char16_t{0});
}

内码对照表::~内码对照表() = default;

TableBuilder::TableBuilder() : table_(new 内码对照表) {}

void TableBuilder::设置对照(char16_t from, char16_t to) {
    table_->units_[from] = to;
}

bool TableBuilder::加入词组(std::u16string_view source, std::u16string_view target) {
    return phrases_.add(source, target);
}

TablePtr TableBuilder::build() {
    table_->phrases_ = phrases_.build();
    table_->fast_ = deriveFastTables(*table_);
    return {std::move(table_)};
}

TablePtr identityTable() {
    static const TablePtr identity = TableBuilder().build();
    return identity;
}

} // namespace tolvane
