#pragma once
// Carries the job's calls to the window. The window's own 作业界面 may only be
// used on the window's thread: a worker's call is queued there and the worker
// waits for it, so statuses, list updates and message boxes keep their order
// and a message box holds the job until it is answered.
//
// Once closed, no call touches the window again: waiting and later calls
// return at once (message boxes answer Cancel, 源文件数 is 0, the clipboard is
// empty, the rest do nothing), so the window's thread can wait for the worker.

#include "engine/job.h"
#include "platform/ui.h"

#include <functional>
#include <memory>

namespace tolvane {

class 作业桥 : public 作业界面 {
  public:
    // For a job running on the window's thread itself: calls go straight through.
    explicit 作业桥(作业界面& window);
    // For a job on a worker thread: calls are queued to the window's thread.
    作业桥(作业界面& window, Desktop& desktop);

    // Window's thread only.
    void 关闭();

    void 显示状态(const std::u16string& 状态) override;
    int 源文件数() override;
    std::u16string 源文件项(int 序号) override;
    void 设置源文件项(int 序号, const std::u16string& 文本) override;
    MessageAnswer 消息框(const std::u16string& 文本, MessageIcon 图标,
                         MessageButtons 按钮) override;
    std::u16string 剪贴板内容() override;
    void 放入剪贴板(const std::u16string& 文本) override;
    void 刷新() override;

  private:
    struct 共享;
    // Runs the call on the window's own interface and waits for it; false,
    // without running it, once closed. Rethrows what the call threw.
    bool 执行(std::function<void(作业界面&)> 调用);

    std::shared_ptr<共享> 共享_;
};

} // namespace tolvane
