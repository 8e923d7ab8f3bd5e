#include "engine/table.h"

#include "engine/state.h"

#include <numeric>

namespace tolvane {

namespace detail {
// Identity from the start: iota over all 65536 units.
std::array<char16_t, 65536> 内码对照表 = [] {
    std::array<char16_t, 65536> identity{};
    std::iota(identity.begin(), identity.end(), char16_t{0});
    return identity;
}();
} // namespace detail

void 设置对照(char16_t from, char16_t to) {
    detail::内码对照表[from] = to;
}

void 复位对照表() {
    std::iota(detail::内码对照表.begin(), detail::内码对照表.end(), char16_t{0});
    对照表正常 = false;
}

} // namespace tolvane
