#include "common/scratch_folder.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/posix/file_io.h"
#include "platform/utf8.h"

#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace tolvane::testing {
namespace {

std::span<const std::uint8_t> asBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

template <typename Action> std::int32_t errorNumberOf(Action action) {
    try {
        action();
    } catch (const Error& error) {
        return error.number();
    }
    return 0;
}

// A file size limit makes the system stop a write part-way, as a full disk would.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited{bytes, saved.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    rlimit saved{};
    void (*previousHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
};

// The one thorough guard of "never overwrite": every way the program creates
// or moves a file refuses an existing target and leaves both files as they were.
TEST(不覆盖, 新建和改名都不碰已有的文件) {
    ScratchFolder folder;
    writeBytes(folder / u"a.txt", "a");
    writeBytes(folder / u"b.txt", "b");
    EXPECT_EQ(errorNumberOf([&] { writeNewFile(folder / u"b.txt", asBytes("new")); }), kFileExists);
    EXPECT_EQ(errorNumberOf([&] { NewFile piecewise(folder / u"b.txt"); }), kFileExists);
    EXPECT_EQ(errorNumberOf([&] { renameNoReplace(folder / u"a.txt", folder / u"b.txt"); }),
              kFileExists);
    // The fallback for file systems without an atomic no-replace rename.
    EXPECT_EQ(errorNumberOf([&] {
                  posix::renameByLink(toUtf8(folder / u"a.txt"), toUtf8(folder / u"b.txt"), u"b");
              }),
              kFileExists);
    EXPECT_EQ(readBytes(folder / u"a.txt"), "a");
    EXPECT_EQ(readBytes(folder / u"b.txt"), "b");
}

// Whole or piece by piece, a write stopped part-way is reported and its file removed.
TEST(新建文件, 写到一半失败时报错并删除半截文件) {
    ScratchFolder folder;
    const std::string bytes(10000, 'x');
    const FileSizeLimit limit(4096);
    EXPECT_EQ(errorNumberOf([&] { writeNewFile(folder / u"a.txt", asBytes(bytes)); }),
              kFileTooLarge);
    EXPECT_FALSE(exists(folder / u"a.txt"));
    NewFile file(folder / u"b.txt");
    EXPECT_THROW(file.write(asBytes(bytes)), Error);
    EXPECT_FALSE(exists(folder / u"b.txt"));
    EXPECT_THROW(file.finish(), Error);
}

TEST(新建文件, 写入全部字节而分段写入在完成后才留下文件) {
    ScratchFolder folder;
    writeNewFile(folder / u"空.txt", {});
    EXPECT_TRUE(exists(folder / u"空.txt") && readWholeFile(folder / u"空.txt").empty());
    {
        NewFile file(folder / u"a.txt");
        file.write(asBytes("ab"));
        file.write(asBytes("c"));
        file.finish();
    }
    EXPECT_EQ(readBytes(folder / u"a.txt"), "abc");
    {
        NewFile abandoned(folder / u"b.txt");
        abandoned.write(asBytes("half"));
    }
    EXPECT_FALSE(exists(folder / u"b.txt"));
}

TEST(读整个文件, 缺少的文件和文件夹报错) {
    ScratchFolder folder;
    EXPECT_EQ(errorNumberOf([&] { readWholeFile(folder / u"无.txt"); }), kFileNotFound);
    EXPECT_EQ(errorNumberOf([&] { readWholeFile(folder.path().u16string()); }), kPermissionDenied);
}

TEST(改名, 空出的目标被移过去而不存在的源报找不到) {
    ScratchFolder folder;
    writeBytes(folder / u"a.txt", "a");
    renameNoReplace(folder / u"a.txt", folder / u"b.txt");
    posix::renameByLink(toUtf8(folder / u"b.txt"), toUtf8(folder / u"c.txt"), u"c");
    EXPECT_FALSE(exists(folder / u"a.txt") || exists(folder / u"b.txt"));
    EXPECT_EQ(readBytes(folder / u"c.txt"), "a");
    EXPECT_EQ(errorNumberOf([&] { renameNoReplace(folder / u"无", folder / u"有"); }),
              kFileNotFound);
}

TEST(文件夹, 路径种类和建立删除) {
    ScratchFolder folder;
    makeFolder(folder / u"子");
    EXPECT_EQ(pathKind(folder / u"子"), PathKind::Folder);
    EXPECT_EQ(errorNumberOf([&] { makeFolder(folder / u"子"); }), kFileExists);
    writeBytes(folder / u"a", "");
    EXPECT_EQ(pathKind(folder / u"a"), PathKind::File);
    removeFile(folder / u"a");
    EXPECT_TRUE(pathKind(folder / u"a") == PathKind::Missing && pathKind(u"") == PathKind::Missing);
    EXPECT_EQ(errorNumberOf([&] { removeFile(folder / u"a"); }), kFileNotFound);
}

TEST(转换锁, 只拿普通文件且同时只有一个) {
    ScratchFolder folder;
    writeBytes(folder / "a.txt", "x");
    ASSERT_EQ(::mkfifo((folder / "管道").c_str(), 0600), 0);
    const auto numberOf = [](const std::u16string& path) {
        try {
            ConversionLock lock(path);
        } catch (const Error& error) {
            return error.number();
        }
        return 0;
    };
    const auto openFiles = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
    };
    const auto openBefore = openFiles();
    EXPECT_EQ(numberOf(folder / u"管道"), kNotRegularFile); // returns at once, no writer needed
    EXPECT_EQ(numberOf(folder / u"没有"), kFileNotFound);
    const ConversionLock first(folder / u"a.txt");
    EXPECT_EQ(numberOf(folder / u"a.txt"), kFileBusy);
    EXPECT_EQ(openFiles(), openBefore + 1) << "a refused file stays open";
}

TEST(列出文件, 只列匹配的普通非隐藏文件) {
    ScratchFolder folder;
    for (const char16_t* name : {u"简繁.txt", u"b.txt", u".hidden.txt", u"c.ini"})
        writeBytes(folder / name, "");
    makeFolder(folder / u"d.txt");
    auto names = listFiles(folder.path().u16string(), u"*.txt");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"b.txt", u"简繁.txt"}));
    EXPECT_TRUE(listFiles(folder / u"无", u"*.txt").empty());
}

TEST(程序文件夹, 是存在的绝对路径且不以分隔符结尾) {
    const std::u16string folder = programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(folder.front() == u'/' && folder.back() != u'/');
    EXPECT_EQ(pathKind(folder), PathKind::Folder);
}

} // namespace
} // namespace tolvane::testing
