#include "window/job_runner.h"

#include "engine/state.h"
#include "window/job_bridge.h"

#include <system_error>
#include <utility>

namespace tolvane {

作业启动器::作业启动器(Desktop& desktop) : desktop_(desktop) {}

作业启动器::~作业启动器() {
    关闭();
}

bool 作业启动器::启动(作业界面& window, TablePtr table, Encoding output, int& 错误码) {
    // The previous worker has shown its last status and is ending, if not gone.
    if (工作线程_.joinable()) 工作线程_.join();
    if (!使用多线程) {
        // Held here too: the window may drop this starter from inside the job.
        const auto 桥 = std::make_shared<作业桥>(window);
        桥_ = 桥;
        执行转换(*桥, table.get(), output);
        return true;
    }
    桥_ = std::make_shared<作业桥>(window, desktop_);
    try {
        工作线程_ = std::thread(
            [桥 = 桥_, table = std::move(table), output] { 执行转换(*桥, table.get(), output); });
    } catch (const std::system_error& e) {
        错误码 = e.code().value();
        return false;
    }
    return true;
}

void 作业启动器::关闭() {
    if (桥_) 桥_->关闭();
    // Inline, the job is further down this very stack: it unwinds by itself.
    if (工作线程_.joinable()) 工作线程_.join();
}

} // namespace tolvane
