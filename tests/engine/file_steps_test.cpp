#include "engine/convert.h"
#include "engine/file_steps.h"
#include "engine/state.h"
#include "engine/table.h"
#include "platform/error.h"
#include "platform/utf8.h"
#include "tests/engine/engine_test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tolvane::testing {
namespace {

class 文件内容 : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        设置对照(u'a', u'b');
        设置对照(u'b', u'c');
        设置对照(u'c', u'd');
        writeBytes(source, "abc\r\n");
    }
    TempFolder folder;
    std::u16string source = folder / u"a.txt";
    std::vector<char16_t> text;
};

TEST_F(文件内容, 一次完整的转换留下转换后的文件和备份的原文件) {
    文件内容转换 steps(source);
    EXPECT_TRUE(steps.备份路径().empty());
    steps.移入备份();
    EXPECT_EQ(steps.备份路径(), folder / u"~Vebzo01.bak/a.txt");
    steps.读出(text);
    EXPECT_FALSE(转换内码(text));
    steps.写入(text);
    EXPECT_EQ(readBytes(source), "bcd\r\n");
    EXPECT_EQ(readBytes(steps.备份路径()), "abc\r\n");
}

TEST_F(文件内容, 三次转换在三个备份文件夹里留下三个早先的状态) {
    for (int round = 0; round < 3; ++round) {
        文件内容转换 steps(source);
        steps.移入备份();
        steps.读出(text);
        转换内码(text);
        steps.写入(text);
    }
    EXPECT_EQ(readBytes(folder / u"~Vebzo01.bak/a.txt"), "abc\r\n");
    EXPECT_EQ(readBytes(folder / u"~Vebzo02.bak/a.txt"), "bcd\r\n");
    EXPECT_EQ(readBytes(folder / u"~Vebzo03.bak/a.txt"), "cdd\r\n");
    EXPECT_EQ(readBytes(source), "ddd\r\n");
}

TEST_F(文件内容, 取消后复原把原来的字节放回原路径) {
    文件内容转换 steps(source);
    steps.移入备份();
    steps.读出(text);
    取消标志 = true;
    EXPECT_TRUE(转换内码(text));
    steps.复原();
    EXPECT_EQ(readBytes(source), "abc\r\n");
    EXPECT_FALSE(exists(folder / u"~Vebzo01.bak/a.txt"));
    EXPECT_TRUE(steps.备份路径().empty());
}

TEST_F(文件内容, 复原删除已写出的输出) {
    文件内容转换 steps(source);
    steps.移入备份();
    steps.读出(text);
    转换内码(text);
    steps.写入(text);
    steps.复原();
    EXPECT_EQ(readBytes(source), "abc\r\n");
}

TEST_F(文件内容, 输出已被删除时复原仍放回原文件) {
    文件内容转换 steps(source);
    steps.移入备份();
    steps.读出(text);
    steps.写入(text);
    std::filesystem::remove(std::filesystem::path(source));
    steps.复原();
    EXPECT_EQ(readBytes(source), "abc\r\n");
}

TEST_F(文件内容, 路径被别人占用时复原报错而文件留在备份里) {
    文件内容转换 steps(source);
    steps.移入备份();
    writeBytes(source, "someone else's");
    EXPECT_THROW(steps.复原(), Error);
    EXPECT_EQ(readBytes(source), "someone else's");
    EXPECT_EQ(readBytes(folder / u"~Vebzo01.bak/a.txt"), "abc\r\n");
}

TEST_F(文件内容, 输出路径已存在时写入报文件已存在) {
    文件内容转换 steps(source);
    steps.移入备份();
    steps.读出(text);
    writeBytes(source, "taken");
    try {
        steps.写入(text);
        FAIL() << "an existing file was written over";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), kFileExists);
    }
    EXPECT_EQ(readBytes(source), "taken");
}

TEST_F(文件内容, 还没移入备份时复原什么也不做) {
    文件内容转换 steps(source);
    steps.复原();
    EXPECT_EQ(readBytes(source), "abc\r\n");
}

class 文件名 : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        设置对照(u'汉', u'漢');
    }
};

TEST_F(文件名, 只转换最后一个部分) {
    const auto result = 转换文件名(native(u"/汉/汉字/汉.txt"));
    EXPECT_FALSE(result.已取消);
    EXPECT_EQ(result.新路径, native(u"/汉/汉字/漢.txt"));
}

TEST_F(文件名, 末尾的分隔符被去掉后转换最后一个部分) {
    EXPECT_EQ(转换文件名(native(u"/a/汉/")).新路径, native(u"/a/漢"));
    EXPECT_EQ(转换文件名(u"汉.txt").新路径, u"漢.txt");
    // No name at all: the empty name joins onto the empty rest. Such a path is
    // never an existing file, so the job reports it and renames nothing.
    EXPECT_EQ(转换文件名(native(u"//")).新路径, native(u"/"));
    EXPECT_EQ(转换文件名(u"").新路径, native(u"/"));
}

TEST_F(文件名, 不变的名称给出同一路径) {
    EXPECT_EQ(转换文件名(u"/a/b.txt").新路径, u"/a/b.txt");
}

TEST_F(文件名, 取消时报告已取消) {
    取消标志 = true;
    EXPECT_TRUE(转换文件名(u"/a/汉.txt").已取消);
    EXPECT_FALSE(取消标志);
}

TEST_F(文件名, 改名到空出的路径而相同路径什么也不做) {
    TempFolder folder;
    writeBytes(folder / u"汉.txt", "x");
    const auto result = 转换文件名(folder / u"汉.txt");
    改名(folder / u"汉.txt", result.新路径);
    EXPECT_EQ(readBytes(folder / u"漢.txt"), "x");
    EXPECT_FALSE(exists(folder / u"汉.txt"));
    改名(folder / u"漢.txt", folder / u"漢.txt");
    EXPECT_EQ(readBytes(folder / u"漢.txt"), "x");
}

TEST_F(文件名, 改名从不覆盖已有文件) {
    TempFolder folder;
    writeBytes(folder / u"汉.txt", "mine");
    writeBytes(folder / u"漢.txt", "theirs");
    try {
        改名(folder / u"汉.txt", folder / u"漢.txt");
        FAIL() << "an existing file was replaced";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), kFileExists);
    }
    EXPECT_EQ(readBytes(folder / u"汉.txt"), "mine");
    EXPECT_EQ(readBytes(folder / u"漢.txt"), "theirs");
}

} // namespace
} // namespace tolvane::testing
