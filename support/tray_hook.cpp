// 回调模块: the window procedure that stands in for the tray owner's own while
// the icon is shown.

#include "support/tray.h"

#include <utility>

namespace tolvane::回调模块 {

WindowProc OldWindowProc = nullptr;
std::shared_ptr<系统栏> TrayOwner;

std::intptr_t TrayWindowProc(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) {
    try {
        // Held here, so an event handler that releases the owner cannot end
        // it while its message is still on the way.
        const std::shared_ptr<系统栏> owner = TrayOwner;
        if (!owner) return 0;
        if (message == kTrayMessage)
            owner->OnTrayMessage(static_cast<std::int32_t>(lParam),
                                 static_cast<std::int32_t>(wParam));
        return owner->calls().callWindowProc(OldWindowProc, window, message, wParam, lParam);
    } catch (...) {
        // The system cannot take an error back through a window procedure.
        return 0;
    }
}

void 释放TrayOwner() {
    // Cleared before the instance ends, so that nothing reaches it meanwhile.
    const std::shared_ptr<系统栏> last = std::exchange(TrayOwner, nullptr);
}

} // namespace tolvane::回调模块
