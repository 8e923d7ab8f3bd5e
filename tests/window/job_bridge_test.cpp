// The bridge carrying a worker's calls to the window's thread, and the starter.

#include "engine/state.h"
#include "job_test_support.h"
#include "platform/error.h"
#include "window/job_bridge.h"
#include "window/job_runner.h"

#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <stdexcept>

namespace tolvane::testing {
namespace {

using namespace std::chrono_literals;
using Statuses = std::vector<std::u16string>;

// Long enough never to be reached by a working program; it only keeps a
// broken one from hanging the test run.
constexpr auto kHang = 20s;

// A desktop whose window's thread is a thread of its own, running the posted
// calls in order.
class 线程桌面 : public Desktop {
  public:
    线程桌面() : thread_([this] { run(); }) {}
    线程桌面(const 线程桌面&) = delete;
    线程桌面& operator=(const 线程桌面&) = delete;
    ~线程桌面() override {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }

    std::thread::id 窗口线程() const { return thread_.get_id(); }

    void postToWindowThread(std::function<void()> call) override {
        {
            const std::lock_guard lock(mutex_);
            if (stopping_) return;
            calls_.push_back(std::move(call));
        }
        changed_.notify_all();
    }
    // Runs a call on the window's thread and waits for it.
    void 在窗口线程(std::function<void()> call) {
        std::promise<void> done;
        postToWindowThread([&] {
            call();
            done.set_value();
        });
        ASSERT_EQ(done.get_future().wait_for(kHang), std::future_status::ready);
    }

    MessageAnswer messageBox(const std::u16string&, const std::u16string&, MessageIcon,
                             MessageButtons) override {
        throw std::logic_error("the job asks its own interface");
    }
    void processEvents() override {}
    int screenWidth() const override { return 0; }
    int screenHeight() const override { return 0; }
    bool hasTray() const override { return false; }
    Clipboard& clipboard() override { throw std::logic_error("not used by the job"); }
    OpenFileDialog& openFileDialog() override { throw std::logic_error("not used by the job"); }
    TrayCalls& trayCalls() override { throw std::logic_error("not used by the job"); }
    std::shared_ptr<Picture> idleIcon() const override { return nullptr; }
    std::shared_ptr<Picture> busyIcon() const override { return nullptr; }

  private:
    void run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return stopping_ || !calls_.empty(); });
            if (stopping_) return;
            std::function<void()> call = std::move(calls_.front());
            calls_.pop_front();
            lock.unlock();
            call();
            lock.lock();
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> calls_;
    bool stopping_ = false;
    std::thread thread_;
};

// Set once on one thread, waited for on another.
class 信号 {
  public:
    void 发出() {
        {
            const std::lock_guard lock(mutex_);
            set_ = true;
        }
        changed_.notify_all();
    }
    bool 等待() {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kHang, [this] { return set_; });
    }
    bool 已发出() {
        const std::lock_guard lock(mutex_);
        return set_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool set_ = false;
};

class 作业桥测试 : public 作业测试 {
  protected:
    // Declared after the window so the window's thread stops first.
    线程桌面 桌面;
};

TEST_F(作业桥测试, 调用按顺序在窗口线程上执行) {
    界面.列表 = {u"一", u"二"};
    作业桥 桥(界面, 桌面);
    std::thread worker([&] {
        桥.显示状态(u"第一");
        EXPECT_EQ(桥.源文件数(), 2);
        EXPECT_EQ(桥.源文件项(1), u"二");
        桥.设置源文件项(0, u"新");
        桥.显示状态(u"第二");
        桥.显示状态(u"");
    });
    worker.join();

    桌面.在窗口线程([&] {
        EXPECT_EQ(界面.状态, (Statuses{u"第一", u"第二", u""}));
        EXPECT_EQ(界面.列表[0], u"新");
        EXPECT_EQ(界面.线程.size(), 6U);
        for (const std::thread::id id : 界面.线程)
            EXPECT_EQ(id, 桌面.窗口线程());
    });
}

TEST_F(作业桥测试, 窗口线程上的错误传回工作线程) {
    界面.剪贴板打不开 = true;
    作业桥 桥(界面, 桌面);
    std::thread worker([&] { EXPECT_THROW(桥.放入剪贴板(u"x"), Error); });
    worker.join();
}

TEST_F(作业桥测试, 消息框回答前工作线程等待) {
    信号 shown;
    信号 answer;
    界面.消息钩子 = [&](const std::u16string&) {
        shown.发出();
        answer.等待();
    };
    界面.回答 = {MessageAnswer::Ok};
    作业桥 桥(界面, 桌面);
    信号 returned;
    std::thread worker([&] {
        EXPECT_EQ(桥.消息框(u"问", MessageIcon::Stop, MessageButtons::OkCancel), MessageAnswer::Ok);
        returned.发出();
    });
    ASSERT_TRUE(shown.等待());
    EXPECT_FALSE(returned.已发出());
    answer.发出();
    worker.join();
    EXPECT_TRUE(returned.已发出());
}

TEST_F(作业桥测试, 关闭时等待中的消息框回答取消) {
    作业桥 桥(界面, 桌面);
    信号 returned;
    // The window closes while its message box is open, and waits for the job.
    界面.消息钩子 = [&](const std::u16string&) {
        桥.关闭();
        EXPECT_TRUE(returned.等待());
    };
    std::thread worker([&] {
        EXPECT_EQ(桥.消息框(u"问", MessageIcon::Stop, MessageButtons::OkCancel),
                  MessageAnswer::Cancel);
        returned.发出();
        桥.显示状态(u"");
        EXPECT_EQ(桥.源文件数(), 0);
        EXPECT_TRUE(桥.剪贴板内容().empty());
    });
    worker.join();
    桌面.在窗口线程([&] {
        EXPECT_TRUE(界面.状态.empty());
        EXPECT_EQ(界面.消息.size(), 1U);
    });
}

TEST_F(作业桥测试, 启动器在工作线程上运行作业) {
    转换类型 = 2;
    界面.剪贴板字节 = {'a', 0, 'b', 0};
    信号 finished;
    界面.状态钩子 = [&](const std::u16string& status) {
        if (status.empty()) finished.发出();
    };
    作业启动器 启动器(桌面);
    int errorCode = 0;
    桌面.在窗口线程([&] { EXPECT_TRUE(启动器.启动(界面, errorCode)); });
    ASSERT_TRUE(finished.等待());
    桌面.在窗口线程([&] {
        启动器.关闭();
        EXPECT_EQ(界面.剪贴板, u"eb");
        EXPECT_EQ(界面.状态, (Statuses{u"正在转换剪贴板文本...", u"转换完毕！", u""}));
        for (const std::thread::id id : 界面.线程)
            EXPECT_EQ(id, 桌面.窗口线程());
    });
}

TEST_F(作业桥测试, 关闭窗口时工作线程结束而不再碰窗口) {
    对照表正常 = false; // the job's first call is a message box
    作业启动器 启动器(桌面);
    信号 closed;
    界面.消息钩子 = [&](const std::u16string&) {
        取消标志 = true;
        启动器.关闭(); // joins the worker, which is waiting for this very box
        closed.发出();
    };
    int errorCode = 0;
    桌面.在窗口线程([&] { EXPECT_TRUE(启动器.启动(界面, errorCode)); });
    ASSERT_TRUE(closed.等待());
    桌面.在窗口线程([&] {
        EXPECT_EQ(界面.消息.size(), 1U);
        EXPECT_TRUE(界面.状态.empty());
    });
}

TEST_F(作业桥测试, 不用工作线程时就地运行完才返回) {
    使用多线程 = false;
    转换类型 = 2;
    界面.剪贴板字节 = {'a', 0};
    作业启动器 启动器(桌面);
    int errorCode = 0;
    EXPECT_TRUE(启动器.启动(界面, errorCode));

    EXPECT_EQ(界面.剪贴板, u"e");
    EXPECT_EQ(界面.状态, (Statuses{u"正在转换剪贴板文本...", u"转换完毕！", u""}));
    for (const std::thread::id id : 界面.线程)
        EXPECT_EQ(id, std::this_thread::get_id());
}

TEST_F(作业桥测试, 就地运行时关闭窗口后作业不再碰窗口) {
    使用多线程 = false;
    转换类型 = 1;
    写入字节(文件夹 / u"甲.txt", "x");
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
    EXPECT_EQ(界面.列表[0], 文件夹 / u"甲.txt");
    EXPECT_TRUE(存在(文件夹 / u"甲.txt"));
}

} // namespace
} // namespace tolvane::testing
