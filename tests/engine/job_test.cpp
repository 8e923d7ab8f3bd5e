// The three jobs. The files job: backups, converted text, statuses, cancel and
// errors, and that no file is ever left only in its backup folder; the
// file-names job and the clipboard job.

#include "engine/job.h"
#include "engine/state.h"
#include "engine_test_support.h"
#include "platform/error.h"

#include <filesystem>

namespace tolvane::testing {
namespace {

using Statuses = std::vector<std::u16string>;

struct 消息记录 {
    std::u16string 文本;
    MessageIcon 图标;
    MessageButtons 按钮;
};

// Records what the job showed and answers every message box alike.
class 记录界面 : public 作业界面 {
  public:
    void 显示状态(const std::u16string& 文本) override {
        状态.push_back(文本);
        if (状态钩子) 状态钩子(文本);
    }
    int 源文件数() override { return static_cast<int>(列表.size()); }
    std::u16string 源文件项(int 序号) override { return 列表.at(std::size_t(序号)); }
    void 设置源文件项(int 序号, const std::u16string& 文本) override {
        列表.at(std::size_t(序号)) = 文本;
    }
    MessageAnswer 消息框(const std::u16string& 文本, MessageIcon 图标,
                         MessageButtons 按钮) override {
        消息.push_back({文本, 图标, 按钮});
        return 回答;
    }
    std::u16string 剪贴板内容() override { return 剪贴板文本; }
    void 放入剪贴板(const std::u16string& 文本) override {
        if (剪贴板打不开) throw Error(kSystemError, u"剪贴板正被另一程序使用。");
        剪贴板 = 文本;
    }
    void 刷新() override {}

    Statuses 状态;
    std::vector<消息记录> 消息;
    std::vector<std::u16string> 列表;
    std::u16string 剪贴板文本; // what 剪贴板内容 hands out
    std::u16string 剪贴板;     // what the job put on the clipboard
    bool 剪贴板打不开 = false;
    MessageAnswer 回答 = MessageAnswer::Ok;
    std::function<void(const std::u16string&)> 状态钩子; // run after a status is recorded
};

// Converting files, with a table mapping 'a' to 'e', 甲 to 乙 and 丙 to 가,
// which code page 936 cannot hold.
class 作业测试 : public EngineTest {
  protected:
    void TearDown() override {
        EngineTest::TearDown();
        转换类型 = 0;
    }
    记录界面 界面;
    TablePtr 表 = tableOf({u"ae", u"甲乙", u"丙가"});
    ScratchFolder 文件夹;
};

class 文件作业 : public 作业测试 {
  protected:
    void SetUp() override {
        作业测试::SetUp();
        准备();
    }
    // Three fresh files in the list, nothing else in the folder.
    void 准备() {
        std::filesystem::remove_all(文件夹.path());
        std::filesystem::create_directory(文件夹.path());
        界面 = {};
        for (int i = 0; i < 3; ++i)
            writeBytes(界面.列表.emplace_back(路径[i] = 文件夹 / 名(i)), 原文(i));
    }
    static std::u16string 名(int i) { return char16_t(u'1' + i) + std::u16string(u".txt"); }
    static std::string 原文(int i) { return "abc " + std::to_string(i) + "\r\n"; }
    static std::string 译文(int i) { return "ebc " + std::to_string(i) + "\r\n"; }
    std::u16string 备份(int i) const { return 文件夹 / (u"~Vebzo01.bak/" + 名(i)); }

    std::u16string 路径[3];
};

TEST_F(文件作业, 三个文件都转换并留下备份) {
    执行转换(界面, 表.get());

    Statuses expected;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(readBytes(路径[i]), 译文(i));
        EXPECT_EQ(readBytes(备份(i)), 原文(i));
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
    执行转换(界面, 表.get());

    EXPECT_EQ(readBytes(路径[0]), 译文(0));
    for (int i : {1, 2}) {
        EXPECT_EQ(readBytes(路径[i]), 原文(i));
        EXPECT_FALSE(exists(备份(i)));
    }
    EXPECT_TRUE(界面.状态.size() == 4U + 2U + 1U && 界面.状态.back().empty() && !取消标志);
}

TEST_F(文件作业, 消失的文件报源文件不正常并结束) {
    std::filesystem::remove(std::filesystem::path(路径[1]));
    执行转换(界面, 表.get());

    ASSERT_EQ(界面.消息.size(), 1U);
    EXPECT_TRUE(界面.消息[0].文本 == u"源文件不正常！" && 界面.消息[0].图标 == MessageIcon::Stop);
    EXPECT_TRUE(readBytes(路径[0]) == 译文(0) && readBytes(路径[2]) == 原文(2));
    EXPECT_EQ(界面.状态.back(), u"");
}

// The converted text's temporary file vanishes before it is put in place, so
// the write fails after the move: the file is put back where it was and the
// user decides whether the job goes on.
TEST_F(文件作业, 出错时放回原处并按回答继续或结束) {
    for (const MessageAnswer answer : {MessageAnswer::Ok, MessageAnswer::Cancel}) {
        SCOPED_TRACE(answer == MessageAnswer::Ok ? "OK" : "Cancel");
        准备();
        界面.状态钩子 = [&](const std::u16string& status) {
            if (status != u"正在写入输出文件“" + 路径[1] + u"”...") return;
            for (const auto& entry : std::filesystem::directory_iterator(文件夹.path()))
                if (entry.path().extension() == ".tmp") std::filesystem::remove(entry.path());
        };
        界面.回答 = answer;
        执行转换(界面, 表.get());

        ASSERT_EQ(界面.消息.size(), 1U);
        const 消息记录& message = 界面.消息[0];
        EXPECT_TRUE(message.文本.starts_with(u"未发现的错误\r\n") &&
                    message.文本.ends_with(u"\r\n继续吗？"));
        EXPECT_EQ(message.按钮, MessageButtons::OkCancel);
        EXPECT_EQ(readBytes(路径[1]), 原文(1));
        EXPECT_FALSE(exists(备份(1)));
        EXPECT_EQ(readBytes(路径[2]), answer == MessageAnswer::Ok ? 译文(2) : 原文(2));
        EXPECT_EQ(界面.状态.back(), u"");
    }
}

// A result the file's own encoding cannot hold: the file is put back
// untouched and the user learns which setting writes it in another encoding;
// with that setting the file is converted.
TEST_F(文件作业, 编码容不下结果时放回原处并说明输出编码) {
    const std::string gbk丙 = "\xB1\xFB";
    writeBytes(路径[1], gbk丙);
    执行转换(界面, 表.get());
    ASSERT_EQ(界面.消息.size(), 1U);
    const std::u16string& message = 界面.消息[0].文本;
    EXPECT_TRUE(message.find(u"GBK") != std::u16string::npos &&
                message.find(u'가') != std::u16string::npos &&
                message.find(u"输出编码") != std::u16string::npos &&
                message.find(u"utf-8") != std::u16string::npos);
    EXPECT_EQ(readBytes(路径[1]), gbk丙);
    EXPECT_FALSE(exists(备份(1)));
    EXPECT_EQ(readBytes(路径[2]), 译文(2));
    执行转换(界面, 表.get(), Encoding::Utf8);
    EXPECT_EQ(readBytes(路径[1]), "\xEA\xB0\x80");
}

// No table, an empty list or an unknown type: nothing converts.
TEST_F(文件作业, 没有对照表或列表为空时报告并结束) {
    const std::tuple<bool, bool, std::int32_t, std::u16string> cases[] = {
        {false, false, 0, u"内码对照表文件不正常！"},
        {true, true, 0, u"源文件列表不能为空！"},
        {true, true, 1, u"源文件列表不能为空！"},
        {true, false, 7, u""}};
    const std::vector<std::u16string> files = 界面.列表;
    for (const auto& [tableLoaded, emptyList, type, message] : cases) {
        转换类型 = type;
        界面 = {};
        if (!emptyList) 界面.列表 = files;
        执行转换(界面, tableLoaded ? 表.get() : nullptr);
        EXPECT_EQ(界面.消息.empty() ? u"" : 界面.消息[0].文本, message);
        EXPECT_EQ(界面.状态, Statuses{u""});
    }
    EXPECT_EQ(readBytes(路径[0]), 原文(0));
}

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
    执行转换(界面, 表.get());

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
    执行转换(界面, 表.get());

    ASSERT_EQ(界面.消息.size(), 1U);
    EXPECT_EQ(界面.消息[0].文本, u"文件“" + folder + u"”不存在");
    EXPECT_EQ(界面.列表, (Statuses{新名(0), folder, 文件夹 / u"甲二.txt", 文件夹 / u"甲三.txt"}));
    EXPECT_TRUE(exists(文件夹 / u"甲二.txt"));
    EXPECT_EQ(界面.状态, (Statuses{u"正在进行文件名转换...", u"转换完毕！", u""}));
}

TEST_F(文件名作业, 不用工作线程时每个名称前处理事件且可取消) {
    使用多线程 = false;
    // A second click on Start while the first file has its new name.
    setEventPump([this] {
        if (界面.列表[0] == 新名(0)) 取消标志 = true;
    });
    执行转换(界面, 表.get());

    EXPECT_TRUE(界面.列表[0] == 新名(0) && 界面.列表[1] == 文件夹 / u"甲二.txt");
    EXPECT_TRUE(exists(文件夹 / u"甲二.txt") && !取消标志);
    EXPECT_EQ(界面.状态, (Statuses{u"正在进行文件名转换...", u"转换完毕！", u""}));
}

class 剪贴板作业 : public 作业测试 {
  protected:
    void SetUp() override {
        作业测试::SetUp();
        转换类型 = 2;
        界面.剪贴板文本 = u"甲a丁";
    }
};

TEST_F(剪贴板作业, 转换后放回剪贴板而剪贴板打不开时报告并空闲结束) {
    执行转换(界面, 表.get());
    EXPECT_EQ(界面.剪贴板, u"乙e丁");
    EXPECT_EQ(界面.状态, (Statuses{u"正在转换剪贴板文本...", u"转换完毕！", u""}));

    界面 = {};
    界面.剪贴板打不开 = true;
    执行转换(界面, 表.get());
    ASSERT_EQ(界面.消息.size(), 1U);
    EXPECT_NE(界面.消息[0].文本.find(u"剪贴板正被另一程序使用。"), std::u16string::npos);
    EXPECT_EQ(界面.状态, (Statuses{u"正在转换剪贴板文本...", u""}));
}

} // namespace
} // namespace tolvane::testing
