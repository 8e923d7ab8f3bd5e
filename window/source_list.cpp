// The source list, the conversion type and the mapping-table choice.

#include "engine/job.h"
#include "engine/state.h"
#include "engine/table.h"
#include "platform/files.h"
#include "support/open_file.h"
#include "support/places.h"
#include "window/main_window.h"
#include "window/setting_text.h"
#include "window/usage_hint.h"

#include <algorithm>

namespace tolvane {

namespace {

constexpr int kDropCopy = 1;
constexpr int kDropNone = 0;
// Room after the widest entry so that its last character is not cut.
constexpr double kExtentMargin = 5;

} // namespace

// The only native handle the window hands out is its Start button's; the
// dialog's owner is the top-level window that holds it.
WindowHandle 主窗体::对话框所有者() const {
    return 控件_.开始转换.handle();
}

void 主窗体::类型_Click() {
    转换类型 = 控件_.类型.selectedIndex();
    const bool 剪贴板模式 = 转换类型 == kConvertClipboard;
    控件_.源文件.setVisible(!剪贴板模式);
    控件_.剪贴板.setVisible(剪贴板模式);
    if (剪贴板模式) 清除_Click();
    控件_.选择源文件.setEnabled(!剪贴板模式);
    控件_.删除.setEnabled(!剪贴板模式);
    控件_.清除.setEnabled(!剪贴板模式);
    刷新();
}

void 主窗体::剪贴板_DblClick() {
    刷新();
}

void 主窗体::依据_Click() {
    等待吧(true);
    对照表_ = 读取对照表(控件_.依据.text(), *this).table;
    等待吧(false);
}

LoadedTable 主窗体::读取对照表(const std::u16string& 名称, TableLoadWindow& 显示) {
    // A stop that came too late for the job before must not cut this load short.
    取消标志 = false;
    // A table removed since start-up no longer names a file: the load fails.
    const auto 文件 = tableFile(对照表路径_, 名称);
    return 文件 ? 载入对照表文件(*文件, 显示, 使用词组_) : LoadedTable{};
}

void 主窗体::setCaption(const std::u16string& text) {
    控件_.窗体.setCaption(text);
}

void 主窗体::clearSelection() {
    控件_.依据.setSelectedIndex(-1);
}

void 主窗体::清除_Click() {
    控件_.源文件.clear();
    设置水平范围(控件_.源文件, false);
}

void 主窗体::删除_Click() {
    ListBox& 列表 = 控件_.源文件;
    if (列表.selectedCount() < 1) return;
    int i = 0;
    while (i < 列表.count()) {
        if (列表.isSelected(i)) {
            列表.removeItem(i);
        } else {
            ++i;
        }
    }
    设置水平范围(列表, true);
}

void 主窗体::选择源文件_Click() {
    if (提示使用拖放操作_ != 0) {
        const bool 只出现一次 = 提示使用拖放操作_ == -1;
        if (只出现一次) 提示使用拖放操作_ = 0;
        桌面_.messageBox(kAppName, 使用提示文本(只出现一次), MessageIcon::None, MessageButtons::Ok);
    }
    ListValue 文件名;
    std::u16string 文件标题;
    bool 只读 = false;
    std::u16string 过滤器 = u"所有文件 (*.*)|*.*";
    std::int32_t 过滤器序号 = 1;
    std::uint32_t 标志 = kOfnExplorer | kOfnAllowMultiSelect;
    if (!RunOpenDialog(桌面_.openFileDialog(), 文件名, 文件标题, true, false, 只读, true, 过滤器,
                       过滤器序号, u"", u"", u"", 对话框所有者(), 标志)) {
        return;
    }
    for (const std::u16string& 路径 : 选中的文件(文件名))
        加入源文件(路径);
}

int 主窗体::源文件_OLEDragOver(const DropData& 数据) {
    return 数据.hasFileList() ? kDropCopy : kDropNone;
}

int 主窗体::源文件_OLEDragDrop(const DropData& 数据) {
    // Folders are not expanded, and a path gone since the drag is not listed.
    for (const std::u16string& 路径 : 数据.files()) {
        if (pathKind(路径) == PathKind::File) 加入源文件(路径);
    }
    return kDropCopy;
}

void 主窗体::加入源文件(const std::u16string& 路径) {
    控件_.源文件.addItem(路径);
    设置水平范围(控件_.源文件, false);
}

void 主窗体::设置水平范围(ListBox& 列表, bool 重算) {
    const int 项数 = 列表.count();
    if (项数 < 1) {
        水平范围_ = 0;
    } else if (重算) {
        水平范围_ = 最宽项宽度(列表);
    } else {
        const double 宽 = 控件_.窗体.textWidth(列表.itemText(项数 - 1)) + kExtentMargin;
        const int w = std::min(取整(宽), kMaxListExtent);
        if (w <= 水平范围_) return;
        水平范围_ = w;
    }
    列表.setHorizontalExtent(水平范围_);
}

int 主窗体::最宽项宽度(const ListBox& 列表) const {
    double 最宽 = 0;
    for (int i = 0; i < 列表.count(); ++i)
        最宽 = std::max(最宽, 控件_.窗体.textWidth(列表.itemText(i)));
    return std::min(取整(最宽 + kExtentMargin), kMaxListExtent);
}

} // namespace tolvane
