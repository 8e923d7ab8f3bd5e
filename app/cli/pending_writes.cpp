#include "app/cli/pending_writes.h"

#include "platform/error.h"
#include "platform/utf8.h"

namespace tolvane::cli {

namespace {

// Enough files to share the flushes; little enough data to keep it cheap to redo.
constexpr std::size_t kMostFiles = 64;
constexpr std::uintmax_t kMostBytes = std::uintmax_t{64} << 20;

} // namespace

void putBack(文件内容转换& file, Console& console) {
    const std::u16string backup = file.备份路径();
    try {
        file.复原();
    } catch (...) {
        console.fail(file.源路径(), "不能放回原处，未转换的文件留在“" + toUtf8(backup) + "”。" +
                                        toUtf8(describeException(std::current_exception())));
    }
}

PendingWrites::~PendingWrites() {
    for (const auto& file : files_)
        putBack(*file, console_);
}

void PendingWrites::add(std::unique_ptr<文件内容转换> file, std::uintmax_t size) {
    files_.push_back(std::move(file));
    bytes_ += size;
    if (files_.size() >= kMostFiles || bytes_ >= kMostBytes) putInPlace();
}

bool PendingWrites::putInPlace() {
    std::vector<文件内容转换*> files;
    for (const auto& file : files_)
        files.push_back(file.get());
    const std::vector<std::exception_ptr> failures = 文件内容转换::一起写入(files);
    bool allWritten = true;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!failures[i]) continue;
        console_.fail(files[i]->源路径(), describeException(failures[i]));
        putBack(*files[i], console_);
        allWritten = false;
    }
    files_.clear();
    bytes_ = 0;
    failed_ = failed_ || !allWritten;
    return allWritten;
}

} // namespace tolvane::cli
