#pragma once
// Shared by the job tests: a window that records what the job showed and
// answers as scripted, a scratch folder, and a clean program state.

#include "common/scratch_folder.h"
#include "engine/job.h"
#include "engine/table.h"

#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace tolvane::testing {

struct 消息记录 {
    std::u16string 文本;
    MessageIcon 图标;
    MessageButtons 按钮;
};

class 记录界面 : public 作业界面 {
  public:
    void 显示状态(const std::u16string& 文本) override;
    int 源文件数() override { return 记(static_cast<int>(列表.size())); }
    std::u16string 源文件项(int 序号) override { return 记(列表.at(std::size_t(序号))); }
    void 设置源文件项(int 序号, const std::u16string& 文本) override {
        记(列表.at(std::size_t(序号)) = 文本);
    }
    MessageAnswer 消息框(const std::u16string& 文本, MessageIcon 图标,
                         MessageButtons 按钮) override;
    std::u16string 剪贴板内容() override { return 记(剪贴板文本); }
    void 放入剪贴板(const std::u16string& 文本) override;
    void 刷新() override { 记(0); }

    std::vector<std::u16string> 状态;
    std::vector<消息记录> 消息;
    std::vector<std::u16string> 列表;
    std::u16string 剪贴板文本; // what 剪贴板内容 hands out
    std::u16string 剪贴板;     // what the job put on the clipboard
    bool 剪贴板打不开 = false;
    std::deque<MessageAnswer> 回答;    // one per message box; OK when none is left
    std::vector<std::thread::id> 线程; // the thread of every call
    // Run after a status is recorded and before a message box answers.
    std::function<void(const std::u16string&)> 状态钩子, 消息钩子;

  private:
    // Notes the calling thread and passes the value through.
    template <class T> T 记(T value) {
        线程.push_back(std::this_thread::get_id());
        return value;
    }
};

// A table mapping 'a' to 'e', 甲 to 乙 and 丙 to 가, which code page 936
// cannot hold; no cancel, worker-thread mode, no event pump, converting files.
class 作业测试 : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    记录界面 界面;
    TablePtr 表;
    ScratchFolder 文件夹;
};

} // namespace tolvane::testing
