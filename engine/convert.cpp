#include "engine/convert.h"

#include "engine/state.h"
#include "engine/table.h"

namespace tolvane {

namespace {

// Without a worker thread the window gets to run once every this many units.
constexpr int kUnitsPerYield = 1000;

bool cancelRequested() {
    if (!取消标志.load(std::memory_order_relaxed)) return false;
    取消标志 = false;
    return true;
}

bool convertOnWorker(std::vector<char16_t>& units) {
    for (char16_t& unit : units) {
        unit = 查表(unit);
        if (cancelRequested()) return true;
    }
    return false;
}

bool convertInline(std::vector<char16_t>& units) {
    pumpEvents();
    int counter = 0;
    for (char16_t& unit : units) {
        unit = 查表(unit);
        if (++counter > kUnitsPerYield) {
            counter = 0;
            pumpEvents();
        }
        if (cancelRequested()) return true;
    }
    return false;
}

} // namespace

bool 转换内码(std::vector<char16_t>& 内码) {
    return 使用多线程 ? convertOnWorker(内码) : convertInline(内码);
}

bool 分段之间() {
    if (!使用多线程) pumpEvents();
    return cancelRequested();
}

bool 转换字节(std::vector<std::uint8_t>& 字节) {
    std::vector<char16_t> 内码;
    字节转内码(字节, 内码);
    const bool cancelled = 转换内码(内码);
    内码转字节(内码, 字节);
    return cancelled;
}

void 字节转内码(const std::vector<std::uint8_t>& 字节, std::vector<char16_t>& 内码) {
    if (字节.size() < 2) return;
    内码.resize(字节.size() / 2);
    for (std::size_t i = 0; i < 内码.size(); ++i)
        内码[i] = static_cast<char16_t>(字节[2 * i] | (字节[2 * i + 1] << 8));
}

void 内码转字节(const std::vector<char16_t>& 内码, std::vector<std::uint8_t>& 字节) {
    if (内码.empty()) return;
    字节.resize(内码.size() * 2);
    for (std::size_t i = 0; i < 内码.size(); ++i) {
        字节[2 * i] = static_cast<std::uint8_t>(内码[i] & 0xFF);
        字节[2 * i + 1] = static_cast<std::uint8_t>(内码[i] >> 8);
    }
}

} // namespace tolvane
