// The file-names job and the clipboard job.

#include "engine/state.h"
#include "engine/table.h"
#include "job_test_support.h"

#include <filesystem>

namespace tolvane::testing {
namespace {

using Statuses = std::vector<std::u16string>;

class 文件名作业 : public 作业测试 {
  protected:
    void SetUp() override {
        作业测试::SetUp();
        转换类型 = 1;
        for (const char16_t* name : {u"甲一.txt", u"甲二.txt", u"甲三.txt"}) {
            writeBytes(文件夹 / name, "content");
            界面.列表.push_back(文件夹 / name);
        }
    }
    std::u16string 新名(int i) const {
        return 文件夹 / (std::u16string(u"乙") + u"一二三"[i] + u".txt");
    }
};

TEST_F(文件名作业, 改名并更新列表) {
    const std::vector<std::u16string> before = 界面.列表;
    执行转换(界面);

    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(界面.列表[i], 新名(i));
        EXPECT_FALSE(exists(before[i]));
        EXPECT_EQ(readBytes(新名(i)), "content");
    }
    EXPECT_EQ(界面.状态, (Statuses{u"正在进行文件名转换...", u"转换完毕！", u""}));
    EXPECT_TRUE(界面.消息.empty());
}

TEST_F(文件名作业, 文件夹使作业停在那里) {
    const std::u16string folder = 文件夹 / u"甲夹";
    std::filesystem::create_directory(std::filesystem::path(folder));
    界面.列表.insert(界面.列表.begin() + 1, folder);
    执行转换(界面);

    ASSERT_EQ(界面.消息.size(), 1U);
    EXPECT_EQ(界面.消息[0].文本, u"文件“" + folder + u"”不存在");
    EXPECT_EQ(界面.列表[0], 新名(0));
    EXPECT_EQ(界面.列表[1], folder);
    EXPECT_EQ(界面.列表[2], 文件夹 / u"甲二.txt");
    EXPECT_TRUE(exists(文件夹 / u"甲二.txt"));
    EXPECT_EQ(界面.状态, (Statuses{u"正在进行文件名转换...", u"转换完毕！", u""}));
}

// The wiring of "never overwrite" through a job; the file layer's own test
// covers every way a file is created or moved.
TEST_F(文件名作业, 新名已存在时报告并空闲结束) {
    writeBytes(新名(1), "other");
    执行转换(界面);

    ASSERT_EQ(界面.消息.size(), 1U);
    EXPECT_NE(界面.消息[0].文本.find(文件夹 / u"甲二.txt"), std::u16string::npos);
    EXPECT_NE(界面.消息[0].文本.find(u"文件已存在。"), std::u16string::npos);
    EXPECT_EQ(界面.消息[0].图标, MessageIcon::Stop);
    EXPECT_EQ(readBytes(新名(1)), "other");
    EXPECT_EQ(readBytes(文件夹 / u"甲二.txt"), "content");
    EXPECT_EQ(界面.列表[1], 文件夹 / u"甲二.txt");
    EXPECT_TRUE(exists(文件夹 / u"甲三.txt"));
    EXPECT_EQ(界面.状态, (Statuses{u"正在进行文件名转换...", u""}));
}

TEST_F(文件名作业, 不用工作线程时每个名称前处理事件且可取消) {
    使用多线程 = false;
    // A second click on Start while the first file has its new name.
    setEventPump([this] {
        if (界面.列表[0] == 新名(0)) 取消标志 = true;
    });
    执行转换(界面);

    EXPECT_EQ(界面.列表[0], 新名(0));
    EXPECT_EQ(界面.列表[1], 文件夹 / u"甲二.txt");
    EXPECT_TRUE(exists(文件夹 / u"甲二.txt"));
    EXPECT_FALSE(取消标志);
    EXPECT_EQ(界面.状态, (Statuses{u"正在进行文件名转换...", u"转换完毕！", u""}));
}

class 剪贴板作业 : public 作业测试 {
  protected:
    void SetUp() override {
        作业测试::SetUp();
        转换类型 = 2;
        for (int i = 0; i < 3000; ++i)
            界面.剪贴板字节.insert(界面.剪贴板字节.end(), {'a', 0});
    }
};

TEST_F(剪贴板作业, 全部三千个码元都转换) {
    执行转换(界面);

    EXPECT_EQ(界面.剪贴板, std::u16string(3000, u'e'));
    EXPECT_EQ(界面.刷新次数, 1);
    EXPECT_EQ(界面.状态, (Statuses{u"正在转换剪贴板文本...", u"转换完毕！", u""}));
}

TEST_F(剪贴板作业, 取消仍放入部分转换的文本) {
    界面.状态钩子 = [](const std::u16string& status) {
        if (status == u"正在转换剪贴板文本...") 取消标志 = true;
    };
    执行转换(界面);

    ASSERT_EQ(界面.剪贴板.size(), 3000U);
    EXPECT_EQ(界面.剪贴板.front(), u'e');
    EXPECT_EQ(界面.剪贴板.back(), u'a');
}

TEST_F(剪贴板作业, 剪贴板打不开时报告并空闲结束) {
    界面.剪贴板打不开 = true;
    执行转换(界面);

    ASSERT_EQ(界面.消息.size(), 1U);
    EXPECT_NE(界面.消息[0].文本.find(u"剪贴板正被另一程序使用。"), std::u16string::npos);
    EXPECT_EQ(界面.消息[0].图标, MessageIcon::Stop);
    EXPECT_EQ(界面.刷新次数, 0);
    EXPECT_EQ(界面.状态, (Statuses{u"正在转换剪贴板文本...", u""}));
}

} // namespace
} // namespace tolvane::testing
