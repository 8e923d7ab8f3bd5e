#include "engine/file_steps.h"

#include "engine/backup.h"
#include "engine/convert.h"
#include "engine/stream.h"
#include "engine/textfile.h"
#include "platform/error.h"
#include "platform/files.h"
#include "support/perl2.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <utility>

namespace tolvane {

文件内容转换::文件内容转换(const 内码对照表& 表, std::u16string 源路径, Encoding 编码,
                           Encoding 输出编码)
    : 表_(表), 源路径_(std::move(源路径)), 编码_(编码), 输出编码_(输出编码) {}

文件内容转换::~文件内容转换() = default;

void 文件内容转换::移入备份() {
    源路径_ = linkTarget(源路径_);
    锁_ = std::make_unique<ConversionLock>(源路径_);
    检查文本文件(源路径_, 编码_);
    备份路径_ = tolvane::移入备份(源路径_, &新建了备份文件夹_);
}

void 文件内容转换::读出() {
    输入_ = std::make_unique<InputFile>(备份路径_);
    输出_ = std::make_unique<NewFileInPlace>(源路径_);
}

bool 文件内容转换::转换(const std::function<bool()>& stop) {
    const StreamResult result =
        转换文本文件(表_, *输入_, 输出_->file(), {.encoding = 编码_, .output = 输出编码_}, stop);
    编码_ = result.encoding;
    输入_.reset();
    return result.cancelled;
}

void 文件内容转换::写入() {
    输出_->file().copyPermissionsFrom(备份路径_);
    输出_->commit();
    已写入_ = true;
    输出_.reset();
}

std::vector<std::exception_ptr> 文件内容转换::一起写入(std::span<文件内容转换* const> 文件) {
    std::vector<std::exception_ptr> failures(文件.size());
    for (std::size_t i = 0; i < 文件.size(); ++i) {
        try {
            文件[i]->输出_->file().copyPermissionsFrom(文件[i]->备份路径_);
        } catch (...) {
            failures[i] = std::current_exception();
        }
    }
    // One pass of the file system's writing instead of one a file; each file's
    // own flush in commit() then finds its data on disk and reports its errors.
    const auto ready = std::ranges::find(failures, nullptr);
    if (ready != failures.end()) 文件[ready - failures.begin()]->输出_->file().flushFileSystem();
    std::set<std::u16string> folders;
    for (std::size_t i = 0; i < 文件.size(); ++i) {
        if (failures[i]) continue;
        try {
            文件[i]->输出_->commit(false);
            文件[i]->已写入_ = true;
            文件[i]->输出_.reset();
            const std::u16string& path = 文件[i]->源路径_;
            folders.insert(folderOf(path));
        } catch (...) {
            failures[i] = std::current_exception();
        }
    }
    for (const std::u16string& folder : folders)
        flushFolderOf(folder);
    return failures;
}

void 文件内容转换::复原() {
    输出_.reset(); // removes the temporary file
    输入_.reset();
    if (已写入_) {
        // Output someone already removed is no reason to keep the file from its place.
        if (pathKind(源路径_) != PathKind::Missing) removeFile(源路径_);
        已写入_ = false;
    }
    if (备份路径_.empty()) return;
    renameNoReplace(备份路径_, 源路径_);
    if (新建了备份文件夹_) removeFolderIfEmpty(folderOf(备份路径_));
    备份路径_.clear();
}

std::u16string 转换文件名(const 内码对照表& 表, const std::u16string& 路径) {
    // Only the last component changes; after a trailing separator it is empty.
    const PathParts parts = splitPath(路径);
    return joinParts(parts.folderFields, 转换文本(表, parts.name));
}

void 检查新文件名(const std::u16string& 旧路径, const std::u16string& 新路径) {
    const std::u16string name = nameOf(新路径);
    if (folderOf(旧路径) != folderOf(新路径) || name.empty() || name == u"." || name == u".." ||
        name.find_first_of(kForbiddenInNames) != std::u16string::npos)
        throw Error(kInvalidPath, u"文件名不合法");
}

void 改名(const std::u16string& 旧路径, const std::u16string& 新路径) {
    if (旧路径 == 新路径) return;
    检查新文件名(旧路径, 新路径);
    renameNoReplace(旧路径, 新路径);
}

} // namespace tolvane
