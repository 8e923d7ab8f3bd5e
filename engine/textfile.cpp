#include "engine/textfile.h"

#include "platform/codepage.h"
#include "platform/files.h"

#include <algorithm>
#include <span>

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

// Encoded piece by piece through a buffer that stays in the cache, so that a
// large text needs no second copy of itself in memory.
void 写文本文件(std::u16string& 路径, const std::vector<char16_t>& 文本) {
    constexpr std::size_t kChunkUnits = 32768;
    trimSpaces(路径);
    NewFile file(路径);
    std::vector<std::uint8_t> bytes;
    const std::span<const char16_t> units(文本);
    for (std::size_t done = 0; done < units.size(); done += kChunkUnits) {
        encodeOemInto(units.subspan(done, std::min(kChunkUnits, units.size() - done)), bytes);
        file.write(bytes);
    }
    file.finish();
}

} // namespace tolvane
