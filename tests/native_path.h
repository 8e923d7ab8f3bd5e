#pragma once
// A path written with "/" in the tests, in the system's own form.

#include "platform/files.h"

#include <algorithm>
#include <string>

namespace tolvane {

inline std::u16string native(std::u16string path) {
    std::ranges::replace(path, u'/', kPathSeparator);
    return path;
}

} // namespace tolvane
