#include "engine/file_steps.h"

#include "engine/backup.h"
#include "engine/convert.h"
#include "engine/stream.h"
#include "engine/textfile.h"
#include "platform/files.h"
#include "support/perl2.h"

#include <algorithm>
#include <atomic>
#include <set>
#include <thread>
#include <utility>

namespace tolvane {

文件内容转换::文件内容转换(std::u16string 源路径, Encoding 编码)
    : 源路径_(std::move(源路径)), 编码_(编码) {}

文件内容转换::~文件内容转换() = default;

void 文件内容转换::移入备份() {
    检查文本文件(源路径_);
    备份路径_ = tolvane::移入备份(源路径_);
}

void 文件内容转换::读出() {
    输入_ = std::make_unique<InputFile>(备份路径_);
    输出_ = std::make_unique<NewFileInPlace>(源路径_);
}

bool 文件内容转换::转换() {
    const StreamResult result = 转换文本文件(*输入_, 输出_->file(), 编码_, 分段之间);
    编码_ = result.encoding;
    输入_.reset();
    return result.cancelled;
}

void 文件内容转换::写入() {
    输出_->file().copyPermissionsFrom(备份路径_);
    输出_->commit();
    已写入_ = true;
    输出_.reset();
    输入_.reset();
}

namespace {

// Flushes the files on several threads: the file system then writes their
// data and its own records for all of them in a few rounds instead of one
// round a file. Each file's failure lands in its slot.
void flushTogether(std::span<NewFile* const> files, std::vector<std::exception_ptr>& failures) {
    constexpr std::size_t kMostThreads = 8;
    std::atomic<std::size_t> next{0};
    const auto flushSome = [&] {
        for (std::size_t i = next++; i < files.size(); i = next++) {
            if (files[i] == nullptr) continue;
            try {
                files[i]->flush();
            } catch (...) {
                failures[i] = std::current_exception();
            }
        }
    };
    std::vector<std::jthread> threads;
    for (std::size_t i = 1; i < std::min(kMostThreads, files.size()); ++i)
        threads.emplace_back(flushSome);
    flushSome();
}

} // namespace

std::vector<std::exception_ptr> 文件内容转换::一起写入(std::span<文件内容转换* const> 文件) {
    std::vector<std::exception_ptr> failures(文件.size());
    std::vector<NewFile*> outputs(文件.size());
    for (std::size_t i = 0; i < 文件.size(); ++i) {
        try {
            文件[i]->输出_->file().copyPermissionsFrom(文件[i]->备份路径_);
            outputs[i] = &文件[i]->输出_->file();
        } catch (...) {
            failures[i] = std::current_exception();
        }
    }
    flushTogether(outputs, failures);
    std::set<std::u16string> folders;
    for (std::size_t i = 0; i < 文件.size(); ++i) {
        if (failures[i]) continue;
        try {
            文件[i]->输出_->commit(false); // already flushed: its flush finds nothing left to do
            文件[i]->已写入_ = true;
            文件[i]->输出_.reset();
            const std::u16string& path = 文件[i]->源路径_;
            folders.insert(path.substr(0, path.rfind(kPathSeparator) + 1));
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

void 改名(const std::u16string& 旧路径, const std::u16string& 新路径) {
    if (旧路径 != 新路径) renameNoReplace(旧路径, 新路径);
}

} // namespace tolvane
