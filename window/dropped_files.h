#pragma once
// The files of a dropped "text/uri-list", the form in which a desktop hands
// over a dragged file list.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// One URI a line (CR LF, a lone LF too); empty lines and "#" comments are
// skipped. Nothing unless every entry is a file on this machine ("file:" with
// no host or "localhost", an absolute path) and there is at least one: a list
// that also names anything else is not a file list. Percent escapes give the
// path's bytes, decoded as every file name is; a path that would hold NUL
// names no file and refuses the list.
std::optional<std::vector<std::u16string>> 拖放的文件(std::string_view 列表);

} // namespace tolvane
