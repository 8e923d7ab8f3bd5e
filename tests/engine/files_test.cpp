#include "platform/error.h"
#include "platform/files.h"
#include "platform/utf8.h"
#include "tests/engine/engine_test_support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/win32/file_io.h"

#include <windows.h>
#else
#include "platform/posix/file_io.h"

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace tolvane::testing {
namespace {

std::span<const std::uint8_t> asBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

template <typename Action> std::int32_t errorNumberOf(Action action) {
    try {
        action();
    } catch (const Error& error) {
        EXPECT_FALSE(error.description().empty());
        return error.number();
    }
    return 0;
}

TEST(新建文件, 写入全部字节且空内容建出空文件) {
    TempFolder folder;
    writeNewFile(folder / u"a.txt", asBytes("abc"));
    EXPECT_EQ(readBytes(folder / u"a.txt"), "abc");
    writeNewFile(folder / u"空.txt", {});
    EXPECT_TRUE(exists(folder / u"空.txt"));
    EXPECT_TRUE(readWholeFile(folder / u"空.txt").empty());
}

TEST(新建文件, 已存在的文件不被覆盖) {
    TempFolder folder;
    writeBytes(folder / u"a.txt", "old");
    EXPECT_EQ(errorNumberOf([&] { writeNewFile(folder / u"a.txt", asBytes("new")); }), kFileExists);
    EXPECT_EQ(readBytes(folder / u"a.txt"), "old");
}

#ifdef _WIN32
TEST(新建文件, 系统拒绝的写入报告失败) {
    TempFolder folder;
    writeBytes(folder / u"a.txt", "old");
    const std::u16string path = folder / u"a.txt";
    const HANDLE readOnly = ::CreateFileW(win32::wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(readOnly, INVALID_HANDLE_VALUE);
    ::SetLastError(0);
    EXPECT_FALSE(win32::writeAll(readOnly, asBytes("new")));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    ::CloseHandle(readOnly);
    EXPECT_EQ(readBytes(path), "old");
}

#else
TEST(新建文件, 写满的设备报告磁盘已满) {
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    const std::string bytes(100, 'x');
    errno = 0;
    EXPECT_FALSE(posix::writeAll(full, asBytes(bytes)));
    EXPECT_EQ(errno, ENOSPC);
    ::close(full);
}

// A file size limit makes the system stop a write part-way, as a full disk would.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

  private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(新建文件, 写到一半失败时报错并删除半截文件) {
    TempFolder folder;
    const std::string bytes(10000, 'x');
    std::int32_t number = 0;
    {
        FileSizeLimit limit(4096);
        number = errorNumberOf([&] { writeNewFile(folder / u"a.txt", asBytes(bytes)); });
    }
    EXPECT_EQ(number, kFileTooLarge);
    EXPECT_FALSE(exists(folder / u"a.txt"));
}

#endif

TEST(新建文件, 分段写入在完成后才留下文件) {
    TempFolder folder;
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

#ifndef _WIN32
TEST(新建文件, 分段写入失败后文件被删除且不能再完成) {
    TempFolder folder;
    const std::string bytes(10000, 'x');
    FileSizeLimit limit(4096);
    NewFile file(folder / u"a.txt");
    EXPECT_THROW(file.write(asBytes(bytes)), Error);
    EXPECT_FALSE(exists(folder / u"a.txt"));
    EXPECT_THROW(file.finish(), Error);
}

#endif

TEST(读整个文件, 缺少的文件和文件夹报错) {
    TempFolder folder;
    EXPECT_EQ(errorNumberOf([&] { readWholeFile(folder / u"无.txt"); }), kFileNotFound);
    EXPECT_EQ(errorNumberOf([&] { readWholeFile(folder.path()); }), kPermissionDenied);
}

// Windows: left out, a 2 GiB read is too heavy for the emulated runs.
#ifndef _WIN32
TEST(读整个文件, 超过2GiB的文件按64位大小完整读入) {
    TempFolder folder;
    const std::uint64_t size = (std::uint64_t{1} << 31) + 3;
    const std::u16string path = folder / u"大.bin";
    writeBytes(path, "");
    std::filesystem::resize_file(toUtf8(path), size - 3);
    {
        std::FILE* file = std::fopen(toUtf8(path).c_str(), "ab");
        ASSERT_NE(file, nullptr);
        std::fputs("end", file);
        std::fclose(file);
    }
    const auto bytes = readWholeFile(path);
    ASSERT_EQ(bytes.size(), size);
    EXPECT_EQ(bytes[size - 3], 'e');
    EXPECT_EQ(bytes[size - 1], 'd');
    EXPECT_EQ(bytes[size / 2], 0);
}

#endif

TEST(不覆盖的改名, 空出的目标被移过去) {
    TempFolder folder;
    writeBytes(folder / u"a.txt", "a");
    renameNoReplace(folder / u"a.txt", folder / u"b.txt");
    EXPECT_FALSE(exists(folder / u"a.txt"));
    EXPECT_EQ(readBytes(folder / u"b.txt"), "a");
}

TEST(不覆盖的改名, 已占用的目标报错且两个文件都不变) {
    TempFolder folder;
    writeBytes(folder / u"a.txt", "a");
    writeBytes(folder / u"b.txt", "b");
    EXPECT_EQ(errorNumberOf([&] { renameNoReplace(folder / u"a.txt", folder / u"b.txt"); }),
              kFileExists);
    EXPECT_EQ(readBytes(folder / u"a.txt"), "a");
    EXPECT_EQ(readBytes(folder / u"b.txt"), "b");
}

#ifndef _WIN32
TEST(不覆盖的改名, 链接再删除的后备办法同样不覆盖) {
    TempFolder folder;
    const std::string a = toUtf8(folder / u"a.txt");
    const std::string b = toUtf8(folder / u"b.txt");
    writeBytes(folder / u"a.txt", "a");
    writeBytes(folder / u"c.txt", "c");
    EXPECT_EQ(errorNumberOf([&] { posix::renameByLink(a, toUtf8(folder / u"c.txt"), u"c"); }),
              kFileExists);
    EXPECT_EQ(readBytes(folder / u"c.txt"), "c");
    posix::renameByLink(a, b, u"a");
    EXPECT_FALSE(exists(folder / u"a.txt"));
    EXPECT_EQ(readBytes(folder / u"b.txt"), "a");
}

#endif

TEST(不覆盖的改名, 不存在的源报文件找不到) {
    TempFolder folder;
    EXPECT_EQ(errorNumberOf([&] { renameNoReplace(folder / u"无", folder / u"有"); }),
              kFileNotFound);
}

TEST(路径种类, 区分不存在文件和文件夹) {
    TempFolder folder;
    writeBytes(folder / u"a.txt", "");
    EXPECT_EQ(pathKind(folder / u"a.txt"), PathKind::File);
    EXPECT_EQ(pathKind(folder.path()), PathKind::Folder);
    EXPECT_EQ(pathKind(folder / u"无"), PathKind::Missing);
    EXPECT_EQ(pathKind(u""), PathKind::Missing);
}

TEST(文件夹, 建立和删除) {
    TempFolder folder;
    makeFolder(folder / u"子");
    EXPECT_EQ(pathKind(folder / u"子"), PathKind::Folder);
    EXPECT_EQ(errorNumberOf([&] { makeFolder(folder / u"子"); }), kFileExists);
    writeBytes(folder / u"a", "");
    removeFile(folder / u"a");
    EXPECT_FALSE(exists(folder / u"a"));
    EXPECT_EQ(errorNumberOf([&] { removeFile(folder / u"a"); }), kFileNotFound);
}

TEST(列出文件, 只列匹配的普通非隐藏文件) {
    TempFolder folder;
    writeBytes(folder / u"简繁.txt", "");
    writeBytes(folder / u"b.txt", "");
    writeBytes(folder / u".hidden.txt", "");
#ifdef _WIN32
    // Hidden is an attribute here, not a leading dot.
    ::SetFileAttributesW(win32::wide(folder / u".hidden.txt"), FILE_ATTRIBUTE_HIDDEN);
#endif
    writeBytes(folder / u"c.ini", "");
    makeFolder(folder / u"d.txt");
    auto names = listFiles(folder.path(), u"*.txt");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"b.txt", u"简繁.txt"}));
    EXPECT_TRUE(listFiles(folder / u"无", u"*.txt").empty());
}

TEST(程序文件夹, 是存在的绝对路径且不以分隔符结尾) {
    const std::u16string folder = programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(std::filesystem::path(folder).is_absolute());
    EXPECT_NE(folder.back(), kPathSeparator);
    EXPECT_EQ(pathKind(folder), PathKind::Folder);
}

} // namespace
} // namespace tolvane::testing
