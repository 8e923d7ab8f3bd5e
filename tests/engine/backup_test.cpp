#include "engine/backup.h"
#include "platform/error.h"
#include "platform/utf8.h"
#include "tests/engine/engine_test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tolvane::testing {
namespace {

std::u16string numbered(int number) {
    const std::u16string digits = fromUtf8(std::to_string(number));
    return u"~Vebzo" + (digits.size() < 2 ? u"0" + digits : digits) + u".bak";
}

TEST(备份, 同一个文件每次进入下一个备份文件夹) {
    TempFolder folder;
    const std::u16string file = folder / u"a.txt";
    for (int round = 1; round <= 3; ++round) {
        writeBytes(file, std::to_string(round));
        const std::u16string expected = folder / (numbered(round) + u"/a.txt");
        EXPECT_EQ(移入备份(file), expected);
        EXPECT_FALSE(exists(file));
        EXPECT_EQ(readBytes(expected), std::to_string(round));
    }
}

TEST(备份, 别的文件进入第一个没有同名文件的备份文件夹) {
    TempFolder folder;
    writeBytes(folder / u"a.txt", "a");
    writeBytes(folder / u"b.txt", "b");
    移入备份(folder / u"a.txt");
    EXPECT_EQ(移入备份(folder / u"b.txt"), folder / u"~Vebzo01.bak/b.txt");
}

TEST(备份, 与备份文件夹同名的文件被跳过) {
    TempFolder folder;
    writeBytes(folder / u"~Vebzo01.bak", "not a folder");
    writeBytes(folder / u"a.txt", "a");
    EXPECT_EQ(移入备份(folder / u"a.txt"), folder / u"~Vebzo02.bak/a.txt");
    EXPECT_EQ(readBytes(folder / u"~Vebzo01.bak"), "not a folder");
}

TEST(备份, 第100个备份进入三位数的文件夹) {
    TempFolder folder;
    for (int number = 1; number <= 99; ++number) {
        std::filesystem::create_directory(std::filesystem::path(folder / numbered(number)));
        writeBytes(folder / (numbered(number) + u"/a.txt"), "");
    }
    writeBytes(folder / u"a.txt", "100");
    EXPECT_EQ(移入备份(folder / u"a.txt"), folder / u"~Vebzo100.bak/a.txt");
}

TEST(备份, 源文件不存在时报文件找不到且不建文件夹) {
    TempFolder folder;
    try {
        移入备份(folder / u"无.txt");
        FAIL() << "a missing file was moved";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), kFileNotFound);
    }
    EXPECT_FALSE(exists(folder / u"~Vebzo01.bak"));
}

TEST(备份, 文件夹不被移入备份) {
    TempFolder folder;
    std::filesystem::create_directory(std::filesystem::path(folder / u"子"));
    EXPECT_THROW(移入备份(folder / u"子"), Error);
    EXPECT_EQ(路径类型(folder / u"子"), 2);
    EXPECT_FALSE(exists(folder / u"~Vebzo01.bak"));
}

TEST(备份, 没有文件夹部分的名称备份在当前文件夹) {
    TempFolder folder;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(folder.path()));
    writeBytes(u"a.txt", "a");
    const std::u16string moved = 移入备份(u"a.txt");
    std::filesystem::current_path(previous);
    EXPECT_EQ(moved, native(u"./~Vebzo01.bak/a.txt"));
    EXPECT_EQ(readBytes(folder / u"~Vebzo01.bak/a.txt"), "a");
}

TEST(备份路径, 计数在两次调用之间保留而空名称将其复位) {
    TempFolder folder;
    EXPECT_EQ(备份路径(u"", u""), u"");
    EXPECT_EQ(备份路径(folder.path(), u"x"), folder / u"~Vebzo01.bak/x");
    EXPECT_EQ(备份路径(folder.path(), u"x"), folder / u"~Vebzo02.bak/x");
    备份路径(u"", u"");
    EXPECT_EQ(备份路径(folder.path(), u"x"), folder / u"~Vebzo01.bak/x");
}

TEST(路径类型, 零一二) {
    TempFolder folder;
    writeBytes(folder / u"a", "");
    EXPECT_EQ(路径类型(folder / u"无"), 0);
    EXPECT_EQ(路径类型(folder / u"a"), 1);
    EXPECT_EQ(路径类型(folder.path()), 2);
}

} // namespace
} // namespace tolvane::testing
