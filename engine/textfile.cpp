#include "engine/textfile.h"

#include "platform/codepage.h"
#include "platform/files.h"

namespace tolvane {

namespace {
void trimSpaces(std::u16string& text) {
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string::npos) {
        text.clear();
        return;
    }
    text.erase(text.find_last_not_of(u' ') + 1);
    text.erase(0, first);
}
} // namespace

void 读文本文件(std::u16string& 路径, std::vector<char16_t>& 文本) {
    trimSpaces(路径);
    const std::vector<std::uint8_t> bytes = readWholeFile(路径);
    decodeOemInto(bytes, 文本);
}

void 写文本文件(std::u16string& 路径, const std::vector<char16_t>& 文本) {
    trimSpaces(路径);
    std::vector<std::uint8_t> bytes;
    encodeOemInto(文本, bytes);
    writeNewFile(路径, bytes);
}

} // namespace tolvane
