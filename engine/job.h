#pragma once
// The conversion job: what the Start button runs. It converts the clipboard
// text, the contents of the listed files or their names through the loaded
// table, showing its progress and asking the user through the window.

#include "engine/encoding.h"
#include "engine/table.h"
#include "platform/ui.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace tolvane {

// 0 the files' contents, 1 the file names, 2 the clipboard; set by the 类型 combo.
inline std::atomic<std::int32_t> 转换类型{0};
inline constexpr std::int32_t kConvertFiles = 0;
inline constexpr std::int32_t kConvertNames = 1;
inline constexpr std::int32_t kConvertClipboard = 2;

// What the job asks of the window. With a worker thread, the window's side
// carries each call to its own thread, in order, and waits for it.
class 作业界面 {
  public:
    virtual ~作业界面() = default;
    // A non-empty text goes to the caption and the tray tip; the empty text
    // restores the normal caption and ends the busy state.
    virtual void 显示状态(const std::u16string& 状态) = 0;
    virtual int 源文件数() = 0;
    virtual std::u16string 源文件项(int 序号) = 0;
    virtual void 设置源文件项(int 序号, const std::u16string& 文本) = 0;
    // A modal message box titled "Tolvane"; the job waits for the answer.
    virtual MessageAnswer 消息框(const std::u16string& 文本, MessageIcon 图标,
                                 MessageButtons 按钮) = 0;
    // A copy of the captured clipboard text (剪贴板内容), taken on the window's thread.
    virtual std::u16string 剪贴板内容() = 0;
    // Clears the clipboard and puts the text on it; throws Error when it cannot be opened.
    virtual void 放入剪贴板(const std::u16string& 文本) = 0;
    // Captures the clipboard text again into 剪贴板内容 and its preview.
    virtual void 刷新() = 0;
};

// Runs one whole job through 表; without a table (none loaded, or the load
// failed) the user is told and nothing is converted. Files are written in
// 输出编码, Auto in their own. Returns when the job is over (the worker
// thread then ends).
void 执行转换(作业界面& 界面, const 内码对照表* 表, Encoding 输出编码 = Encoding::Auto);

} // namespace tolvane
