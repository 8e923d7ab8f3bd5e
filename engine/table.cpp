#include "engine/table.h"

#include "engine/state.h"

#include <atomic>
#include <numeric>

namespace tolvane {

namespace {
constexpr std::array<char16_t, 65536> identityTable() {
    std::array<char16_t, 65536> identity{};
    std::iota(identity.begin(), identity.end(), char16_t{0});
    return identity;
}
} // namespace

namespace detail {
// Identity from the start, built at compile time: nothing runs (or throws) at start-up.
constinit std::array<char16_t, 65536> 内码对照表 = identityTable(); // NOLINT(cert-err58-cpp)
} // namespace detail

namespace {
std::atomic<std::uint64_t> generation{0};
} // namespace

void 设置对照(char16_t from, char16_t to) {
    detail::内码对照表[from] = to;
    generation.fetch_add(1, std::memory_order_relaxed);
}

std::uint64_t tableGeneration() {
    return generation.load(std::memory_order_relaxed);
}

void 复位对照表() {
    detail::内码对照表 = identityTable();
    generation.fetch_add(1, std::memory_order_relaxed);
    对照表正常 = false;
}

} // namespace tolvane
