#include "engine/backup.h"
#include "engine_test_support.h"
#include "platform/error.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tolvane::testing {
namespace {

// The one thorough guard of backup numbering.
TEST(备份, 每个文件进入第一个没有同名文件的备份文件夹) {
    ScratchFolder folder;
    const std::u16string file = folder / u"a.txt";
    for (const char16_t* backup : {u"~Vebzo01.bak/a.txt", u"~Vebzo02.bak/a.txt"}) {
        writeBytes(file, "a");
        EXPECT_EQ(移入备份(file), folder / backup);
        EXPECT_FALSE(exists(file));
        EXPECT_EQ(readBytes(folder / backup), "a");
    }
    writeBytes(folder / u"b.txt", "b");
    EXPECT_EQ(移入备份(folder / u"b.txt"), folder / u"~Vebzo01.bak/b.txt");
    // A file with a backup folder's name is passed over, untouched.
    writeBytes(folder / u"~Vebzo03.bak", "not a folder");
    writeBytes(file, "a");
    EXPECT_EQ(移入备份(file), folder / u"~Vebzo04.bak/a.txt");
    EXPECT_EQ(readBytes(folder / u"~Vebzo03.bak"), "not a folder");
}

TEST(备份, 第100个备份进入三位数的文件夹) {
    ScratchFolder folder;
    for (int number = 1; number <= 99; ++number) {
        const std::string name =
            (number < 10 ? "~Vebzo0" : "~Vebzo") + std::to_string(number) + ".bak";
        std::filesystem::create_directory(folder.path() / name);
        writeBytes(folder.path() / name / "a.txt", "");
    }
    writeBytes(folder / u"a.txt", "100");
    EXPECT_EQ(移入备份(folder / u"a.txt"), folder / u"~Vebzo100.bak/a.txt");
}

TEST(备份, 不存在的文件和文件夹不被移动也不建备份文件夹) {
    ScratchFolder folder;
    try {
        移入备份(folder / u"无.txt");
        FAIL() << "a missing file was moved";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), kFileNotFound);
    }
    std::filesystem::create_directory(folder.path() / "子");
    EXPECT_THROW(移入备份(folder / u"子"), Error);
    EXPECT_EQ(路径类型(folder / u"子"), 2);
    EXPECT_FALSE(exists(folder / u"~Vebzo01.bak"));
}

TEST(备份, 没有文件夹部分的名称备份在当前文件夹) {
    ScratchFolder folder;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    writeBytes("a.txt", "a");
    const std::u16string moved = 移入备份(u"a.txt");
    std::filesystem::current_path(previous);
    EXPECT_EQ(moved, u"./~Vebzo01.bak/a.txt");
    EXPECT_EQ(readBytes(folder / u"~Vebzo01.bak/a.txt"), "a");
}

TEST(备份路径, 计数在两次调用之间保留而空名称将其复位且路径类型分三种) {
    ScratchFolder folder;
    const std::u16string path = folder.path().u16string();
    EXPECT_EQ(备份路径(u"", u""), u"");
    EXPECT_EQ(备份路径(path, u"x"), folder / u"~Vebzo01.bak/x");
    EXPECT_EQ(备份路径(path, u"x"), folder / u"~Vebzo02.bak/x");
    备份路径(u"", u"");
    EXPECT_EQ(备份路径(path, u"x"), folder / u"~Vebzo01.bak/x");
    // 路径类型: 0 nothing there, 1 a file, 2 a folder.
    EXPECT_EQ(路径类型(folder / u"~Vebzo02.bak/x"), 0);
    writeBytes(folder / u"a", "");
    EXPECT_EQ(路径类型(folder / u"a"), 1);
    EXPECT_EQ(路径类型(path), 2);
}

} // namespace
} // namespace tolvane::testing
