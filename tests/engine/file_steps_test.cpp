// The backup folders and the steps of converting a file's contents and name.

#include "engine/backup.h"
#include "engine/convert.h"
#include "engine/file_steps.h"
#include "engine/state.h"
#include "engine/table.h"
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
    std::filesystem::create_directory(folder / "子");
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
    EXPECT_EQ(moved, native(u"./~Vebzo01.bak/a.txt"));
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

class 文件内容 : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        设置对照(u'a', u'b');
        writeBytes(source, "abc\r\n");
    }
    ScratchFolder folder;
    std::u16string source = folder / u"a.txt";
};

TEST_F(文件内容, 一次完整的转换留下转换后的文件和备份的原文件) {
    文件内容转换 steps(source);
    EXPECT_TRUE(steps.备份路径().empty());
    steps.移入备份();
    EXPECT_EQ(steps.备份路径(), folder / u"~Vebzo01.bak/a.txt");
    steps.读出();
    EXPECT_FALSE(steps.转换());
    steps.写入();
    EXPECT_EQ(readBytes(source), "bbc\r\n");
    EXPECT_EQ(readBytes(steps.备份路径()), "abc\r\n");
}

// 复原 after each point a run can stop at: the original bytes are back at
// their own path and the backup folder holds nothing of them.
TEST_F(文件内容, 复原把原来的字节放回原路径) {
    enum class Stop { BeforeBackup, AfterRead, AfterWrite, OutputDeleted };
    for (const Stop stop :
         {Stop::BeforeBackup, Stop::AfterRead, Stop::AfterWrite, Stop::OutputDeleted}) {
        SCOPED_TRACE(static_cast<int>(stop));
        文件内容转换 steps(source);
        if (stop != Stop::BeforeBackup) {
            steps.移入备份();
            steps.读出();
        }
        if (stop == Stop::AfterWrite || stop == Stop::OutputDeleted) {
            steps.转换();
            steps.写入();
        }
        if (stop == Stop::OutputDeleted) std::filesystem::remove(std::filesystem::path(source));
        steps.复原();
        EXPECT_EQ(readBytes(source), "abc\r\n");
        EXPECT_FALSE(exists(folder / u"~Vebzo01.bak")) << "the run's own backup folder stays";
        EXPECT_TRUE(steps.备份路径().empty());
    }
}

#ifndef _WIN32 // Wine makes no symbolic links
TEST_F(文件内容, 链接转换它所指的文件并仍是链接) {
    std::filesystem::create_directory(folder / "real");
    writeBytes(folder / "real/t.txt", "abc\r\n");
    std::filesystem::create_symlink("real/t.txt", folder / "link.txt");
    文件内容转换 steps(folder / u"link.txt");
    steps.移入备份();
    steps.读出();
    steps.转换();
    steps.写入();
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.txt"));
    EXPECT_EQ(readBytes(folder / "real/t.txt"), "bbc\r\n");
    EXPECT_EQ(readBytes(folder / "real/~Vebzo01.bak/t.txt"), "abc\r\n");
}
#endif

TEST_F(文件内容, 路径被别人占用时复原报错而文件留在备份里) {
    文件内容转换 steps(source);
    steps.移入备份();
    writeBytes(source, "someone else's");
    EXPECT_THROW(steps.复原(), Error);
    EXPECT_EQ(readBytes(source), "someone else's");
    EXPECT_EQ(readBytes(folder / u"~Vebzo01.bak/a.txt"), "abc\r\n");
}

class 文件名 : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        设置对照(u'汉', u'漢');
    }
};

struct NameCase {
    std::u16string_view path;
    std::u16string_view converted;
};

// Only the last component converts; a trailing separator is dropped first. No
// name at all joins the empty name onto the empty rest: never an existing
// file, so the job reports it and renames nothing.
constexpr NameCase kNameCases[] = {
    {u"/汉/汉字/汉.txt", u"/汉/汉字/漢.txt"},
    {u"/a/汉/", u"/a/漢"},
    {u"汉.txt", u"漢.txt"},
    {u"/a/b.txt", u"/a/b.txt"},
    {u"//", u"/"},
    {u"", u"/"},
};

TEST_F(文件名, 只转换最后一个部分) {
    for (const NameCase& c : kNameCases) {
        const auto result = 转换文件名(native(std::u16string(c.path)));
        EXPECT_FALSE(result.已取消);
        EXPECT_EQ(result.新路径, native(std::u16string(c.converted)))
            << "case " << (&c - kNameCases);
    }
}

TEST_F(文件名, 取消时报告已取消) {
    取消标志 = true;
    EXPECT_TRUE(转换文件名(u"/a/汉.txt").已取消);
    EXPECT_FALSE(取消标志);
}

TEST_F(文件名, 改名到空出的路径而相同路径什么也不做) {
    ScratchFolder folder;
    writeBytes(folder / u"汉.txt", "x");
    改名(folder / u"汉.txt", 转换文件名(folder / u"汉.txt").新路径);
    EXPECT_EQ(readBytes(folder / u"漢.txt"), "x");
    EXPECT_FALSE(exists(folder / u"汉.txt"));
    改名(folder / u"漢.txt", folder / u"漢.txt");
    EXPECT_EQ(readBytes(folder / u"漢.txt"), "x");
}

TEST_F(文件名, 转换后的名字只能在原文件夹里改名) {
    struct Case {
        std::u16string_view to;
        bool allowed;
    };
    const Case cases[] = {
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
        {u"/e/x", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.to.begin(), c.to.end()));
        if (c.allowed) {
            EXPECT_NO_THROW(检查新文件名(u"/d/x", std::u16string(c.to)));
        } else {
            EXPECT_THROW(检查新文件名(u"/d/x", std::u16string(c.to)), Error);
        }
    }
    ScratchFolder folder;
    writeBytes(folder / u"a国b.txt", "x");
    EXPECT_THROW(改名(folder / u"a国b.txt", folder / u"a/b.txt"), Error);
    EXPECT_EQ(readBytes(folder / u"a国b.txt"), "x");
}

} // namespace
} // namespace tolvane::testing
