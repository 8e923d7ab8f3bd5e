// The bridge carrying a worker's calls to the window's thread, and the
// starter. The test's own thread is the window's thread: it runs the calls
// the fake desktop has queued.

#include "engine/state.h"
#include "fakes/fake_desktop.h"
#include "job_test_support.h"
#include "platform/error.h"
#include "window/job_bridge.h"
#include "window/job_runner.h"

#include <atomic>
#include <chrono>

namespace tolvane::testing {
namespace {

using Statuses = std::vector<std::u16string>;

class 作业桥测试 : public 作业测试 {
  protected:
    // Runs the work on a worker thread while this thread serves the window's calls.
    void onWorker(const std::function<void()>& work) {
        std::atomic<bool> done{false};
        std::thread worker([&] {
            work();
            done = true;
            桌面.postToWindowThread([] {}); // wakes the drain below
        });
        EXPECT_TRUE(桌面.drainUntil([&] { return done.load(); }));
        worker.join();
    }
    void expectAllOnThisThread() const {
        for (const std::thread::id id : 界面.线程)
            EXPECT_EQ(id, std::this_thread::get_id());
    }

    fakes::FakeDesktop 桌面;
};

TEST_F(作业桥测试, 调用按顺序在窗口线程上执行而错误传回工作线程) {
    界面.列表 = {u"一", u"二"};
    界面.剪贴板打不开 = true;
    作业桥 桥(界面, 桌面);
    onWorker([&] {
        桥.显示状态(u"第一");
        EXPECT_EQ(桥.源文件数(), 2);
        EXPECT_EQ(桥.源文件项(1), u"二");
        桥.设置源文件项(0, u"新");
        桥.显示状态(u"");
        EXPECT_THROW(桥.放入剪贴板(u"x"), Error);
    });
    EXPECT_EQ(界面.状态, (Statuses{u"第一", u""}));
    EXPECT_TRUE(界面.列表[0] == u"新" && 界面.线程.size() == 6U);
    expectAllOnThisThread();
}

TEST_F(作业桥测试, 消息框回答前工作线程等待) {
    std::atomic<bool> returned{false};
    界面.消息钩子 = [&](const std::u16string&) { EXPECT_FALSE(returned.load()); };
    界面.回答 = {MessageAnswer::Cancel};
    作业桥 桥(界面, 桌面);
    onWorker([&] {
        EXPECT_EQ(桥.消息框(u"问", MessageIcon::Stop, MessageButtons::OkCancel),
                  MessageAnswer::Cancel);
        returned = true;
    });
    EXPECT_EQ(界面.消息.size(), 1U);
}

TEST_F(作业桥测试, 关闭时等待中的消息框回答取消且以后的调用不碰窗口) {
    作业桥 桥(界面, 桌面);
    std::atomic<bool> returned{false};
    // The window closes while its message box is open, and waits for the job.
    界面.消息钩子 = [&](const std::u16string&) {
        桥.关闭();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!returned && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        EXPECT_TRUE(returned.load());
    };
    onWorker([&] {
        EXPECT_EQ(桥.消息框(u"问", MessageIcon::Stop, MessageButtons::OkCancel),
                  MessageAnswer::Cancel);
        returned = true;
        桥.显示状态(u"");
        EXPECT_EQ(桥.源文件数(), 0);
        EXPECT_TRUE(桥.剪贴板内容().empty());
    });
    EXPECT_TRUE(界面.状态.empty());
}

// On a worker thread 启动 returns at once; in line, when the job is over.
TEST_F(作业桥测试, 启动器运行作业而窗口的调用都在窗口线程上) {
    for (const bool worker : {true, false}) {
        使用多线程 = worker;
        转换类型 = 2;
        界面 = {};
        界面.剪贴板字节 = {'a', 0, 'b', 0};
        作业启动器 启动器(桌面);
        int errorCode = 0;
        ASSERT_TRUE(启动器.启动(界面, errorCode));
        EXPECT_EQ(界面.状态.size(), worker ? 0U : 3U);
        EXPECT_TRUE(桌面.drainUntil([&] { return 界面.状态.size() == 3; }));
        启动器.关闭();
        EXPECT_EQ(界面.剪贴板, u"eb");
        EXPECT_EQ(界面.状态, (Statuses{u"正在转换剪贴板文本...", u"转换完毕！", u""}));
        expectAllOnThisThread();
    }
}

TEST_F(作业桥测试, 就地运行时关闭窗口后作业不再碰窗口) {
    使用多线程 = false;
    转换类型 = 1;
    writeBytes(文件夹 / u"甲.txt", "x");
    界面.列表 = {文件夹 / u"甲.txt"};
    作业启动器 启动器(桌面);
    // The window is closed from the events the job lets it process.
    setEventPump([&] {
        取消标志 = true;
        启动器.关闭();
    });
    int errorCode = 0;
    EXPECT_TRUE(启动器.启动(界面, errorCode));
    EXPECT_EQ(界面.状态, Statuses{u"正在进行文件名转换..."});
    EXPECT_TRUE(界面.列表[0] == 文件夹 / u"甲.txt" && exists(文件夹 / u"甲.txt"));
}

} // namespace
} // namespace tolvane::testing
