#include "engine/state.h"

#include <utility>

namespace tolvane {

namespace {
std::function<void()>& installedPump() {
    static std::function<void()> pump;
    return pump;
}
} // namespace

void setEventPump(std::function<void()> pump) {
    installedPump() = std::move(pump);
}

void pumpEvents() {
    if (const auto& pump = installedPump()) pump();
}

bool stopRequested() {
    if (!使用多线程) pumpEvents();
    return 取消标志.exchange(false);
}

} // namespace tolvane
