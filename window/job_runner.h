#pragma once
// Starts the conversion job for the Start button, on a worker thread or in
// line, and makes sure no job outlives the window.

#include "engine/job.h"
#include "platform/ui.h"

#include <memory>
#include <thread>

namespace tolvane {

class 作业桥;

class 作业启动器 {
  public:
    explicit 作业启动器(Desktop& desktop);
    ~作业启动器(); // 关闭()
    作业启动器(const 作业启动器&) = delete;
    作业启动器& operator=(const 作业启动器&) = delete;

    // 使用多线程 false: runs 执行转换(window, table) inline and returns when it
    // is over. 使用多线程 true: starts a std::thread running 执行转换 on a
    // bridge to `window`; returns at once. False (with the system error code)
    // when the thread cannot be created.
    bool 启动(作业界面& window, TablePtr table, Encoding output, int& 错误码);

    // The window is closing (the caller has set 取消标志): every later call of the
    // job is answered without touching the window (message boxes: Cancel), and
    // the worker is joined.
    void 关闭();

  private:
    Desktop& desktop_;
    std::shared_ptr<作业桥> 桥_;
    std::thread 工作线程_;
};

} // namespace tolvane
