#include "window/setting_text.h"

#include <cmath>
#include <limits>
#include <string>

namespace tolvane {

std::int32_t 取整(double 数) {
    constexpr double low = std::numeric_limits<std::int32_t>::min();
    constexpr double high = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(数)) return 0;
    // nearbyint rounds halves to even in the default rounding mode.
    return static_cast<std::int32_t>(std::nearbyint(std::fmin(std::fmax(数, low), high)));
}

std::u16string 十进制(std::int64_t 数) {
    const std::string ascii = std::to_string(数);
    return {ascii.begin(), ascii.end()};
}

} // namespace tolvane
