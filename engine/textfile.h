#pragma once
// Whole text files in the OEM code page to and from UTF-16 code units.

#include <string>
#include <vector>

namespace tolvane {

// Trims the spaces around 路径 in place, then replaces 文本 with the file's
// decoded contents (an empty file gives an empty text). Throws Error.
void 读文本文件(std::u16string& 路径, std::vector<char16_t>& 文本);

// Trims the spaces around 路径 in place, then writes 文本 encoded to a new file
// there. Throws Error, Error 58 when the path already exists.
void 写文本文件(std::u16string& 路径, const std::vector<char16_t>& 文本);

} // namespace tolvane
