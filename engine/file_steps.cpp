#include "engine/file_steps.h"

#include "engine/backup.h"
#include "engine/convert.h"
#include "engine/textfile.h"
#include "platform/error.h"
#include "platform/files.h"
#include "support/perl2.h"

#include <string_view>
#include <utility>

namespace tolvane {

文件内容转换::文件内容转换(std::u16string 源路径) : 源路径_(std::move(源路径)) {}

void 文件内容转换::移入备份() {
    备份路径_ = tolvane::移入备份(源路径_);
}

void 文件内容转换::读出(std::vector<char16_t>& 文本) {
    std::u16string path = 备份路径_;
    读文本文件(path, 文本);
}

void 文件内容转换::写入(const std::vector<char16_t>& 文本) {
    std::u16string path = 源路径_;
    写文本文件(path, 文本);
    输出路径_ = path;
}

void 文件内容转换::复原() {
    if (!输出路径_.empty()) {
        // Output someone already removed is no reason to keep the file from its place.
        if (pathKind(输出路径_) != PathKind::Missing) removeFile(输出路径_);
        输出路径_.clear();
    }
    if (备份路径_.empty()) return;
    renameNoReplace(备份路径_, 源路径_);
    备份路径_.clear();
}

文件名转换结果 转换文件名(const std::u16string& 路径) {
    // Only the last component changes; trailing separators are not a name.
    const ListValue separator = std::u16string(1, kPathSeparator);
    ListValue fields = Split(separator, 路径, 0);
    const std::u16string name = Pop(fields).text();
    std::vector<std::uint8_t> bytes;
    内码转字节(std::vector<char16_t>(name.begin(), name.end()), bytes);
    文件名转换结果 result;
    result.已取消 = 转换字节(bytes);
    std::vector<char16_t> units;
    字节转内码(bytes, units);
    result.新路径 = Join(separator, fields, std::u16string(units.begin(), units.end())).text();
    return result;
}

void 检查新文件名(const std::u16string& 旧路径, const std::u16string& 新路径) {
    const std::size_t oldEnd = 旧路径.rfind(kPathSeparator) + 1; // 0 without a folder
    const std::size_t newEnd = 新路径.rfind(kPathSeparator) + 1;
    const std::u16string_view name = std::u16string_view(新路径).substr(newEnd);
    const bool sameFolder = std::u16string_view(旧路径).substr(0, oldEnd) ==
                            std::u16string_view(新路径).substr(0, newEnd);
    if (!sameFolder || name.empty() || name == u"." || name == u".." ||
        name.find(u'\0') != std::u16string_view::npos)
        throw Error(kInvalidPath, u"文件名不合法");
}

void 改名(const std::u16string& 旧路径, const std::u16string& 新路径) {
    if (旧路径 == 新路径) return;
    检查新文件名(旧路径, 新路径);
    renameNoReplace(旧路径, 新路径);
}

} // namespace tolvane
