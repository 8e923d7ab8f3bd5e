#include "common/scratch_folder.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/utf8.h"

#include <algorithm>
#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/win32/file_io.h"
#include "platform/win32/win32_error.h"

#include <windows.h>
#else
#include "platform/posix/file_io.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace tolvane::testing {
namespace {

template <typename Action> std::int32_t errorNumberOf(Action action) {
    try {
        action();
    } catch (const Error& error) {
        return error.number();
    }
    return 0;
}

// The one thorough guard of "never overwrite": every way the program creates
// or moves a file refuses an existing target and leaves both files as they were.
TEST(不覆盖, 新建和改名都不碰已有的文件) {
    ScratchFolder folder;
    writeBytes(folder / u"a.txt", "a");
    writeBytes(folder / u"b.txt", "b");
    EXPECT_EQ(errorNumberOf([&] { NewFile piecewise(folder / u"b.txt"); }), kFileExists);
    EXPECT_EQ(errorNumberOf([&] { renameNoReplace(folder / u"a.txt", folder / u"b.txt"); }),
              kFileExists);
    EXPECT_EQ(readBytes(folder / u"a.txt"), "a");
    EXPECT_EQ(readBytes(folder / u"b.txt"), "b");
    // A free target is taken; a missing source is reported.
    renameNoReplace(folder / u"a.txt", folder / u"c.txt");
    EXPECT_FALSE(exists(folder / u"a.txt"));
    EXPECT_EQ(readBytes(folder / u"c.txt"), "a");
    EXPECT_EQ(errorNumberOf([&] { renameNoReplace(folder / u"无", folder / u"有"); }),
              kFileNotFound);
}

TEST(新建文件, 写入全部字节而分段写入在完成后才留下文件) {
    ScratchFolder folder;
    NewFile(folder / u"空.txt").finish();
    EXPECT_TRUE(exists(folder / u"空.txt") && readWholeFile(folder / u"空.txt").empty());
    {
        NewFile file(folder / u"a.txt");
        file.write(bytesOf("ab"));
        file.write(bytesOf("c"));
        file.finish();
    }
    EXPECT_EQ(readBytes(folder / u"a.txt"), "abc");
    {
        NewFile abandoned(folder / u"b.txt");
        abandoned.write(bytesOf("half"));
    }
    EXPECT_FALSE(exists(folder / u"b.txt"));
}

// A FIFO on Linux, a device on Windows: nothing a conversion may take.
std::u16string notRegularFile(const ScratchFolder& folder) {
#ifdef _WIN32
    (void)folder;
    return u"NUL";
#else
    if (::mkfifo((folder / "管道").c_str(), 0600) != 0) throw std::runtime_error("no FIFO");
    return folder / u"管道";
#endif
}

TEST(转换锁, 只拿普通文件且同时只有一个) {
    ScratchFolder folder;
    writeBytes(folder / "a.txt", "x");
    const auto numberOf = [](const std::u16string& path) {
        return errorNumberOf([&] { ConversionLock lock(path); });
    };
    EXPECT_EQ(numberOf(notRegularFile(folder)), kNotRegularFile); // at once, no writer needed
    EXPECT_EQ(numberOf(folder / u"没有"), kFileNotFound);
    const ConversionLock first(folder / u"a.txt");
    EXPECT_EQ(numberOf(folder / u"a.txt"), kFileBusy);
    // The held file can still be read and moved: its conversion does both.
    EXPECT_EQ(readWholeFile(folder / u"a.txt").size(), 1U);
    renameNoReplace(folder / u"a.txt", folder / u"b.txt");
    EXPECT_EQ(numberOf(folder / u"b.txt"), kFileBusy) << "the hold moves with the file";
    // Another run's file put at the path between the open and the lock is not the one held.
    writeBytes(folder / "c.txt", "x");
    EXPECT_EQ(errorNumberOf([&] {
                  const ConversionLock lock(folder / u"c.txt", [&] {
                      renameNoReplace(folder / u"c.txt", folder / u"c.old");
                      writeBytes(folder / "c.txt", "y");
                  });
              }),
              kFileBusy);
}

TEST(列出文件, 只列匹配的普通非隐藏文件) {
    ScratchFolder folder;
    for (const char16_t* name : {u"简繁.txt", u"b.txt", u".hidden.txt", u"c.ini"})
        writeBytes(folder / name, "");
#ifdef _WIN32 // hidden is a mark there, not a leading dot
    ::SetFileAttributesW(reinterpret_cast<const wchar_t*>((folder / u".hidden.txt").c_str()),
                         FILE_ATTRIBUTE_HIDDEN);
#endif
    makeFolder(folder / u"d.txt");
    auto names = listFiles(folder.path().u16string(), u"*.txt");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"b.txt", u"简繁.txt"}));
    EXPECT_TRUE(listFiles(folder / u"无", u"*.txt").empty());
}

#ifdef _WIN32

// What only the Windows calls do: a refused write reported with its number,
// and a read-only file removed as Linux removes it.
TEST(Windows文件, 拒绝的写入和只读文件) {
    ScratchFolder folder;
    writeBytes(folder / "a.txt", "old");
    const std::u16string path = folder / u"a.txt";
    const auto* name = reinterpret_cast<const wchar_t*>(path.c_str());
    const HANDLE readOnly =
        ::CreateFileW(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(readOnly, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(win32::writeAll(readOnly, bytesOf("new")));
    EXPECT_EQ(win32::systemError(::GetLastError()).number(), kPermissionDenied);
    ::CloseHandle(readOnly);
    EXPECT_EQ(readBytes(folder / "a.txt"), "old");
    ::SetFileAttributesW(name, FILE_ATTRIBUTE_READONLY);
    removeFile(path);
    EXPECT_EQ(pathKind(path), PathKind::Missing);
}

#else

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

// A write stopped part-way is reported and its file removed; a replacement
// stopped so leaves the old file and no temporary one.
TEST(新建文件, 写到一半失败时报错并删除半截文件) {
    ScratchFolder folder;
    const std::string bytes(10000, 'x');
    const FileSizeLimit limit(4096);
    NewFile file(folder / u"a.txt");
    EXPECT_EQ(errorNumberOf([&] { file.write(bytesOf(bytes)); }), kFileTooLarge);
    EXPECT_FALSE(exists(folder / u"a.txt"));
    EXPECT_THROW(file.finish(), Error);
    writeBytes(folder / "b.ini", "old");
    EXPECT_EQ(errorNumberOf([&] { replaceFile(folder / u"b.ini", bytes); }), kFileTooLarge);
    EXPECT_EQ(readBytes(folder / "b.ini"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

// The fallback for file systems without an atomic no-replace rename.
TEST(改名, 链接再删除的后备办法移动文件而不覆盖) {
    ScratchFolder folder;
    writeBytes(folder / "a.txt", "a");
    writeBytes(folder / "b.txt", "b");
    EXPECT_EQ(errorNumberOf([&] {
                  posix::renameByLink(toUtf8(folder / u"a.txt"), toUtf8(folder / u"b.txt"), u"b");
              }),
              kFileExists);
    posix::renameByLink(toUtf8(folder / u"a.txt"), toUtf8(folder / u"c.txt"), u"c");
    EXPECT_FALSE(exists(folder / u"a.txt"));
    EXPECT_EQ(readBytes(folder / "b.txt") + readBytes(folder / "c.txt"), "ba");
}

#endif

} // namespace
} // namespace tolvane::testing
