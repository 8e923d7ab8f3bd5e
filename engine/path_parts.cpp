#include "engine/path_parts.h"

#include "platform/files.h"

namespace tolvane {

PathParts splitLast(const std::u16string& path) {
    const std::size_t separator = path.rfind(kPathSeparator);
    if (separator == std::u16string::npos) return {u"", path, false};
    return {path.substr(0, separator), path.substr(separator + 1), true};
}

PathParts splitLastName(const std::u16string& path) {
    const std::size_t end = path.find_last_not_of(kPathSeparator);
    if (end == std::u16string::npos) return {};
    return splitLast(path.substr(0, end + 1));
}

std::u16string joinPath(const PathParts& parts, const std::u16string& name) {
    if (!parts.hasFolder) return name;
    return parts.folder + kPathSeparator + name;
}

} // namespace tolvane
