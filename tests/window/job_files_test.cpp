// The files job: backups, converted text, statuses, cancel and errors, and
// that no file is ever left only in its backup folder.

#include "engine/state.h"
#include "job_test_support.h"
#include "platform/files.h"

namespace tolvane::testing {
namespace {

using Statuses = std::vector<std::u16string>;

class 文件作业 : public 作业测试 {
  protected:
    void SetUp() override {
        作业测试::SetUp();
        for (const char16_t* name : {u"1.txt", u"2.txt", u"3.txt"}) {
            路径.push_back(文件夹 / name);
            写入字节(路径.back(), "abc " + toAscii(name) + "\r\n");
            界面.列表.push_back(路径.back());
        }
    }

    static std::string toAscii(const std::u16string& text) { return {text.begin(), text.end()}; }
    static std::string 原文(int i) { return "abc " + std::to_string(i + 1) + ".txt\r\n"; }
    static std::string 译文(int i) { return "ebc " + std::to_string(i + 1) + ".txt\r\n"; }
    std::u16string 备份(int i) const {
        return joinPath(文件夹 / u"~Vebzo01.bak", std::u16string(1, char16_t(u'1' + i)) + u".txt");
    }

    std::vector<std::u16string> 路径;
};

TEST_F(文件作业, 三个文件都转换并留下备份) {
    执行转换(界面);

    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(读出字节(路径[i]), 译文(i));
        EXPECT_EQ(读出字节(备份(i)), 原文(i));
    }
    Statuses expected;
    for (int i = 0; i < 3; ++i) {
        expected.push_back(u"正在读出源文件“" + 备份(i) + u"”...");
        expected.push_back(u"正在进行转换...");
        expected.push_back(u"正在写入输出文件“" + 路径[i] + u"”...");
        expected.push_back(u"写入完成！");
    }
    expected.emplace_back();
    EXPECT_EQ(界面.状态, expected);
    EXPECT_TRUE(界面.消息.empty());
}

TEST_F(文件作业, 第二个文件中取消则复原它且不动第三个) {
    int conversions = 0;
    界面.状态钩子 = [&](const std::u16string& status) {
        if (status == u"正在进行转换..." && ++conversions == 2) 取消标志 = true;
    };
    执行转换(界面);

    EXPECT_EQ(读出字节(路径[0]), 译文(0));
    EXPECT_EQ(读出字节(路径[1]), 原文(1));
    EXPECT_FALSE(存在(备份(1)));
    EXPECT_EQ(读出字节(路径[2]), 原文(2));
    EXPECT_FALSE(存在(备份(2)));
    EXPECT_EQ(界面.状态.back(), u"");
    EXPECT_EQ(界面.状态.size(), 4U + 2U + 1U);
    EXPECT_FALSE(取消标志);
}

TEST_F(文件作业, 消失的文件报源文件不正常并结束) {
    std::filesystem::remove(std::filesystem::path(路径[1]));
    执行转换(界面);

    ASSERT_EQ(界面.消息.size(), 1U);
    EXPECT_EQ(界面.消息[0].文本, u"源文件不正常！");
    EXPECT_EQ(界面.消息[0].图标, MessageIcon::Stop);
    EXPECT_EQ(界面.消息[0].按钮, MessageButtons::Ok);
    EXPECT_EQ(读出字节(路径[0]), 译文(0));
    EXPECT_EQ(读出字节(路径[2]), 原文(2));
    EXPECT_EQ(界面.状态.back(), u"");
}

class 文件作业出错 : public 文件作业 {
  protected:
    // A folder in the list moves into the backup folder but cannot be read.
    void SetUp() override {
        文件作业::SetUp();
        std::filesystem::remove(std::filesystem::path(路径[1]));
        std::filesystem::create_directory(std::filesystem::path(路径[1]));
        写入字节(joinPath(路径[1], u"inner.txt"), "abc");
    }

    void 检查错误消息() const {
        ASSERT_EQ(界面.消息.size(), 1U);
        const 消息记录& message = 界面.消息[0];
        EXPECT_EQ(message.文本.rfind(u"未发现的错误\r\n", 0), 0U);
        EXPECT_NE(message.文本.find(u"这是一个文件夹"), std::u16string::npos);
        EXPECT_TRUE(message.文本.ends_with(u"\r\n继续吗？"));
        EXPECT_EQ(message.图标, MessageIcon::Stop);
        EXPECT_EQ(message.按钮, MessageButtons::OkCancel);
    }
    void 检查已复原() const {
        EXPECT_TRUE(是文件夹(路径[1]));
        EXPECT_EQ(读出字节(joinPath(路径[1], u"inner.txt")), "abc");
        EXPECT_FALSE(存在(备份(1)));
    }
};

TEST_F(文件作业出错, 回答确定则复原并转换下一个文件) {
    界面.回答 = {MessageAnswer::Ok};
    执行转换(界面);

    检查错误消息();
    检查已复原();
    EXPECT_EQ(读出字节(路径[0]), 译文(0));
    EXPECT_EQ(读出字节(路径[2]), 译文(2));
    EXPECT_EQ(界面.状态.back(), u"");
}

TEST_F(文件作业出错, 回答取消则复原并结束) {
    界面.回答 = {MessageAnswer::Cancel};
    执行转换(界面);

    检查错误消息();
    检查已复原();
    EXPECT_EQ(读出字节(路径[0]), 译文(0));
    EXPECT_EQ(读出字节(路径[2]), 原文(2));
    EXPECT_EQ(界面.状态.back(), u"");
}

TEST_F(文件作业, 写入被占用的路径时不覆盖且原文件留在备份中) {
    界面.状态钩子 = [&](const std::u16string& status) {
        if (status == u"正在写入输出文件“" + 路径[1] + u"”...") 写入字节(路径[1], "squatter");
    };
    界面.回答 = {MessageAnswer::Ok};
    执行转换(界面);

    ASSERT_EQ(界面.消息.size(), 1U);
    // Both the write and the restore were refused by the file that took the path.
    const std::u16string& text = 界面.消息[0].文本;
    EXPECT_EQ(text.rfind(u"未发现的错误\r\n", 0), 0U);
    EXPECT_NE(text.find(u"文件已存在。\r\n"), std::u16string::npos);
    EXPECT_EQ(读出字节(路径[1]), "squatter");
    EXPECT_EQ(读出字节(备份(1)), 原文(1));
    EXPECT_EQ(读出字节(路径[2]), 译文(2));
}

TEST_F(文件作业, 列表为空时报告并结束) {
    界面.列表.clear();
    for (const std::int32_t kind : {0, 1}) {
        转换类型 = kind;
        界面.消息.clear();
        界面.状态.clear();
        执行转换(界面);
        ASSERT_EQ(界面.消息.size(), 1U);
        EXPECT_EQ(界面.消息[0].文本, u"源文件列表不能为空！");
        EXPECT_EQ(界面.消息[0].图标, MessageIcon::None);
        EXPECT_EQ(界面.状态, Statuses{u""});
    }
}

TEST_F(文件作业, 对照表不正常时什么也不做) {
    对照表正常 = false;
    for (const bool emptyList : {false, true}) {
        if (emptyList) 界面.列表.clear();
        界面.消息.clear();
        界面.状态.clear();
        执行转换(界面);
        ASSERT_EQ(界面.消息.size(), 1U);
        EXPECT_EQ(界面.消息[0].文本, u"内码对照表文件不正常！");
        EXPECT_EQ(界面.状态, Statuses{u""});
    }
    EXPECT_EQ(读出字节(路径[0]), 原文(0));
}

TEST_F(文件作业, 意外异常报告后仍以空状态结束) {
    // Its list is empty, so 源文件项(0) throws std::out_of_range.
    class 谎报数目 : public 记录界面 {
      public:
        int 源文件数() override { return 1; }
    } liar;
    执行转换(liar);

    ASSERT_EQ(liar.消息.size(), 1U);
    EXPECT_EQ(liar.消息[0].文本.rfind(u"未发现的错误", 0), 0U);
    EXPECT_EQ(liar.消息[0].图标, MessageIcon::Stop);
    EXPECT_EQ(liar.状态, Statuses{u""});
}

TEST_F(文件作业, 未知的转换类型什么也不转换) {
    转换类型 = 7;
    执行转换(界面);
    EXPECT_EQ(界面.状态, Statuses{u""});
    EXPECT_TRUE(界面.消息.empty());
    EXPECT_EQ(读出字节(路径[0]), 原文(0));
}

} // namespace
} // namespace tolvane::testing
