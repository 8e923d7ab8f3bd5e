// 范围内数值: a value read from the settings file, accepted only inside a range.

#include "support/ini.h"
#include "support/number_text.h"

#include <algorithm>
#include <optional>

namespace tolvane {

namespace {

float inRange(std::optional<double> value, float 界1, float 界2, float 默认) {
    const float low = std::min(界1, 界2);
    const float high = std::max(界1, 界2);
    const float fallback = low <= 默认 && 默认 <= high ? 默认 : low;
    if (value && low <= *value && *value <= high) return static_cast<float>(*value);
    return fallback;
}

} // namespace

float 范围内数值(const std::u16string& 值, float 界1, float 界2, float 默认) {
    return inRange(整体数值(值), 界1, 界2, 默认);
}

float 范围内数值(double 值, float 界1, float 界2, float 默认) {
    return inRange(值, 界1, 界2, 默认);
}

} // namespace tolvane
