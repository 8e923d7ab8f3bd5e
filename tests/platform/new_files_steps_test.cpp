// How a new file is put in place, over a file layer that records each step
// instead of the system's: the file's bytes reach the disk before its name.

#include "platform/files.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tolvane {

namespace {
std::vector<std::string> steps;
} // namespace

// NOLINTNEXTLINE(modernize-pass-by-value): the declaration is the real one's
NewFile::NewFile(const std::u16string& path, bool) : path_(path), fd_(0) {}
NewFile::~NewFile() = default;
void NewFile::write(std::span<const std::uint8_t>) {}
void NewFile::finish() {}
void NewFile::flush() {
    steps.emplace_back("flush");
}
void renameNoReplace(const std::u16string&, const std::u16string&) {
    steps.emplace_back("rename");
}
void renameReplacing(const std::u16string&, const std::u16string&) {
    steps.emplace_back("rename");
}
void removeFile(const std::u16string&) {}
void flushFolderOf(const std::u16string&) {}

namespace {

TEST(新文件就位, 先写到磁盘再改名) {
    const std::function<void()> ways[] = {[] { NewFileInPlace(u"d/a.txt").commit(); },
                                          [] { replaceFile(u"d/Tolvane.ini", "k=v"); }};
    for (const auto& way : ways) {
        steps.clear();
        way();
        const auto at = [](const char* step) {
            return std::ranges::find(steps, step) - steps.begin();
        };
        EXPECT_LT(at("flush"), at("rename"));
        EXPECT_LT(at("rename"), std::ssize(steps));
    }
}

} // namespace
} // namespace tolvane
