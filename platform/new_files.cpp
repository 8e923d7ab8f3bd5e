// What every system shares of writing new files: the temporary names, a
// file that appears at its path complete or not at all, and a file replaced
// in one step.

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
    place(false);
    if (flushFolder) flushFolderOf(path_);
}

void NewFileInPlace::commitReplacing() {
    place(true);
    flushFolderOf(path_);
}

// Flushed before the rename: a power loss must not leave a name pointing at
// data that never reached the disk.
void NewFileInPlace::place(bool replacing) {
    file_->flush();
    file_->finish();
    try {
        replacing ? renameReplacing(temporary_, path_) : renameNoReplace(temporary_, path_);
    } catch (const Error&) {
        // The rename's failure is the one to report; the leftover is removed as far as possible.
        try {
            removeFile(temporary_);
        } catch (const Error&) {
        }
        throw;
    }
}

void replaceFile(const std::u16string& path, std::string_view content) {
    NewFileInPlace replacement(path);
    replacement.file().write(
        {reinterpret_cast<const std::uint8_t*>(content.data()), content.size()});
    replacement.commitReplacing();
}

} // namespace tolvane
