#include "window/job_bridge.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <utility>

namespace tolvane {

// Shared with the calls still queued on the window's thread, which may run
// after the worker has stopped waiting for them.
struct 作业桥::共享 {
    共享(作业界面& window, Desktop* desktop) : 窗口(window), desktop(desktop) {}

    bool 已关闭() {
        const std::lock_guard lock(锁);
        return 关闭;
    }

    作业界面& 窗口;
    Desktop* desktop; // null: the job runs on the window's thread
    std::mutex 锁;
    std::condition_variable 有变化;
    bool 关闭 = false;
};

namespace {

struct 调用状态 {
    bool 完成 = false;
    std::exception_ptr 异常;
};

} // namespace

作业桥::作业桥(作业界面& window) : 共享_(std::make_shared<共享>(window, nullptr)) {}

作业桥::作业桥(作业界面& window, Desktop& desktop)
    : 共享_(std::make_shared<共享>(window, &desktop)) {}

void 作业桥::关闭() {
    {
        const std::lock_guard lock(共享_->锁);
        共享_->关闭 = true;
    }
    共享_->有变化.notify_all();
}

bool 作业桥::执行(std::function<void(作业界面&)> 调用) {
    const std::shared_ptr<共享> 共 = 共享_;
    if (共->已关闭()) return false;
    if (共->desktop == nullptr) {
        调用(共->窗口);
        return true;
    }
    auto 状态 = std::make_shared<调用状态>();
    共->desktop->postToWindowThread([共, 状态, 调用 = std::move(调用)] {
        // 关闭 runs on this same thread, so the window cannot close between the
        // check and the call.
        std::exception_ptr 异常;
        if (!共->已关闭()) {
            try {
                调用(共->窗口);
            } catch (...) {
                异常 = std::current_exception();
            }
        }
        {
            const std::lock_guard lock(共->锁);
            状态->完成 = true;
            状态->异常 = 异常;
        }
        共->有变化.notify_all();
    });
    std::unique_lock lock(共->锁);
    共->有变化.wait(lock, [&] { return 状态->完成 || 共->关闭; });
    // Once closed, even a call that has run is answered as closed, so the job
    // sees the same answers whether or not the window got to it first.
    if (共->关闭) return false;
    if (状态->异常) std::rethrow_exception(状态->异常);
    return true;
}

void 作业桥::显示状态(const std::u16string& 状态) {
    执行([状态](作业界面& 窗口) { 窗口.显示状态(状态); });
}

int 作业桥::源文件数() {
    auto 数目 = std::make_shared<int>(0);
    return 执行([数目](作业界面& 窗口) { *数目 = 窗口.源文件数(); }) ? *数目 : 0;
}

std::u16string 作业桥::源文件项(int 序号) {
    auto 文本 = std::make_shared<std::u16string>();
    return 执行([文本, 序号](作业界面& 窗口) { *文本 = 窗口.源文件项(序号); }) ? *文本 : u"";
}

void 作业桥::设置源文件项(int 序号, const std::u16string& 文本) {
    执行([序号, 文本](作业界面& 窗口) { 窗口.设置源文件项(序号, 文本); });
}

MessageAnswer 作业桥::消息框(const std::u16string& 文本, MessageIcon 图标, MessageButtons 按钮) {
    auto 回答 = std::make_shared<MessageAnswer>();
    const bool 已回答 =
        执行([回答, 文本, 图标, 按钮](作业界面& 窗口) { *回答 = 窗口.消息框(文本, 图标, 按钮); });
    return 已回答 ? *回答 : MessageAnswer::Cancel;
}

std::u16string 作业桥::剪贴板内容() {
    auto 文本 = std::make_shared<std::u16string>();
    return 执行([文本](作业界面& 窗口) { *文本 = 窗口.剪贴板内容(); }) ? *文本 : std::u16string{};
}

void 作业桥::放入剪贴板(const std::u16string& 文本) {
    执行([文本](作业界面& 窗口) { 窗口.放入剪贴板(文本); });
}

void 作业桥::刷新() {
    执行([](作业界面& 窗口) { 窗口.刷新(); });
}

} // namespace tolvane
