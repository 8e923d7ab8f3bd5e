// What every system shares of writing new files: the temporary names and a
// file that appears at its path complete or not at all.

#include "platform/error.h"
#include "platform/files.h"

#include <random>
#include <string_view>

namespace tolvane {

namespace {

constexpr std::u16string_view kTemporaryPrefix = u"~Vebzo-";
constexpr std::u16string_view kTemporarySuffix = u".tmp";
constexpr std::size_t kTemporaryLetters = 6;

std::u16string temporaryName() {
    static constexpr std::string_view kLetters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::u16string name(kTemporaryPrefix);
    for (std::size_t i = 0; i < kTemporaryLetters; ++i)
        name += static_cast<char16_t>(kLetters[random() % kLetters.size()]);
    return name + std::u16string(kTemporarySuffix);
}

} // namespace

bool isTemporaryFileName(std::u16string_view name) {
    return name.size() == kTemporaryPrefix.size() + kTemporaryLetters + kTemporarySuffix.size() &&
           name.starts_with(kTemporaryPrefix) && name.ends_with(kTemporarySuffix);
}

NewFileInPlace::NewFileInPlace(const std::u16string& path) : path_(path) {
    const std::u16string folder = folderOf(path);
    for (int attempt = 0;; ++attempt) {
        temporary_ = joinPath(folder, temporaryName());
        try {
            // Private while it is written: the original may be nobody else's to read.
            file_ = std::make_unique<NewFile>(temporary_, true);
            return;
        } catch (const Error& error) {
            if (error.number() != kFileExists || attempt == 100) throw;
        }
    }
}

void NewFileInPlace::commit(bool flushFolder) {
    file_->flush();
    file_->finish();
    try {
        renameNoReplace(temporary_, path_);
    } catch (const Error&) {
        // The rename's failure is the one to report; the leftover is removed as far as possible.
        try {
            removeFile(temporary_);
        } catch (const Error&) {
        }
        throw;
    }
    if (flushFolder) flushFolderOf(path_);
}

} // namespace tolvane
