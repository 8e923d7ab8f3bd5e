// The backup folders and the steps of converting a file's contents and name.

#include "engine/backup.h"
#include "engine/file_steps.h"
#include "engine/state.h"
#include "engine/table.h"
#include "engine_test_support.h"
#include "platform/error.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tolvane::testing {
namespace {

namespace fs = std::filesystem;

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
    for (int number = 5; number <= 99; ++number) {
        writeBytes(file, "a");
        移入备份(file);
    }
    writeBytes(file, "100");
    EXPECT_EQ(移入备份(file), folder / u"~Vebzo100.bak/a.txt");
}

TEST(备份, 不存在的文件和文件夹不被移动也不建备份文件夹而裸名备份在当前文件夹) {
    ScratchFolder folder;
    writeBytes(folder / u"在.txt", "a");
    // A trailing separator leaves no name: like the name conversion, it names no file.
    for (const std::u16string& path : {folder / u"无.txt", folder / u"在.txt" + native(u"/")}) {
        try {
            移入备份(path);
            ADD_FAILURE() << "a path naming no file was moved";
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), kFileNotFound);
        }
    }
    EXPECT_EQ(readBytes(folder / u"在.txt"), "a");
    fs::create_directory(folder / "子");
    EXPECT_THROW(移入备份(folder / u"子"), Error);
    EXPECT_TRUE(fs::is_directory(folder / "子"));
    EXPECT_FALSE(exists(folder / u"~Vebzo01.bak"));
    const fs::path previous = fs::current_path();
    fs::current_path(folder.path());
    writeBytes("a.txt", "a");
    const std::u16string moved = 移入备份(u"a.txt");
    fs::current_path(previous);
    EXPECT_EQ(moved, native(u"./~Vebzo01.bak/a.txt"));
    EXPECT_EQ(readBytes(folder / u"~Vebzo01.bak/a.txt"), "a");
}

class 文件内容 : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        writeBytes(source, "abc\r\n");
    }
    static bool never() { return false; }
    TablePtr table = tableOf({u"ab"});
    ScratchFolder folder;
    std::u16string source = folder / u"a.txt";
};

// 复原 after each point a run can stop at: the original bytes are back at
// their own path and the backup folder holds nothing of them.
TEST_F(文件内容, 复原把原来的字节放回原路径) {
    for (int stop = 0; stop < 4; ++stop) { // before the backup, read, written, output deleted
        SCOPED_TRACE(stop);
        文件内容转换 steps(*table, source);
        if (stop > 0) steps.移入备份(), steps.读出();
        if (stop > 1) steps.转换(never), steps.写入();
        if (stop > 2) fs::remove(fs::path(source));
        steps.复原();
        EXPECT_EQ(readBytes(source), "abc\r\n");
        EXPECT_FALSE(exists(folder / u"~Vebzo01.bak")) << "the run's own backup folder stays";
        EXPECT_TRUE(steps.备份路径().empty());
    }
}

#ifndef _WIN32 // Wine makes no symbolic links
TEST_F(文件内容, 链接转换它所指的文件并仍是链接) {
    fs::create_directory(folder / "real");
    writeBytes(folder / "real/t.txt", "abc\r\n");
    fs::create_symlink("real/t.txt", folder / "link.txt");
    文件内容转换 steps(*table, folder / u"link.txt");
    steps.移入备份(), steps.读出(), steps.转换(never), steps.写入();
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    EXPECT_EQ(readBytes(folder / "real/t.txt"), "bbc\r\n");
    EXPECT_EQ(readBytes(folder / "real/~Vebzo01.bak/t.txt"), "abc\r\n");
}
#endif

// Only the last component converts, by its words too; after a trailing
// separator there is no name, so the path stays as it is (and names no file,
// as for the backup).
constexpr std::u16string_view kNameCases[][2] = {{u"/汉/汉字/汉字.txt", u"/汉/汉字/漢字.txt"},
                                                 {u"/a/汉/", u"/a/汉/"},
                                                 {u"汉.txt", u"漢.txt"},
                                                 {u"/a/b.txt", u"/a/b.txt"},
                                                 {u"//", u"//"},
                                                 {u"", u""}};

TEST(文件名, 只转换最后一个部分) {
    const TablePtr table = tableOf({u"汉漢", u"字子"}, {{u"汉字", u"漢字"}});
    for (const auto& [path, converted] : kNameCases)
        EXPECT_EQ(转换文件名(*table, native(std::u16string(path))),
                  native(std::u16string(converted)))
            << "case " << (&path - &kNameCases[0][0]) / 2;
}

TEST(文件名, 转换后的名字只能在原文件夹里改名而相同路径什么也不做) {
    constexpr std::pair<std::u16string_view, bool> cases[] = {
        {u"/d/a/b.txt", false},
        {u"/d/", false},
        {u"/d/.", false},
        {u"/d/..", false},
        {std::u16string_view(u"/d/a\0b", 6), false},
#ifdef _WIN32 // a drive or stream mark, a wildcard
        {u"/d/a:b", false},
        {u"/d/a?", false},
#endif
        {u"/d/y", true},
        {u"/e/x", false}};
    for (const auto& [to, allowed] : cases) {
        SCOPED_TRACE(std::string(to.begin(), to.end()));
        bool refused = false;
        try {
            检查新文件名(u"/d/x", std::u16string(to));
        } catch (const Error&) {
            refused = true;
        }
        EXPECT_EQ(refused, !allowed);
    }
    ScratchFolder folder;
    writeBytes(folder / u"a国b.txt", "x");
    EXPECT_THROW(改名(folder / u"a国b.txt", folder / u"a/b.txt"), Error);
    EXPECT_NO_THROW(改名(folder / u"a国b.txt", folder / u"a国b.txt"));
    EXPECT_EQ(readBytes(folder / u"a国b.txt"), "x");
}

} // namespace
} // namespace tolvane::testing
