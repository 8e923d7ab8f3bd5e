#pragma once
// The main window's behaviour: every handler of the window, its controls and
// its tray menu, written once against the desktop seam. A front-end builds the
// real controls from 主窗体设计(), hands them over, and forwards what the user
// did; it does not show the window itself: Form_Load shows it, unless the
// window starts in the tray.

#include "engine/job.h"
#include "engine/table.h"
#include "platform/ui.h"
#include "support/tray.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tolvane {

class 作业启动器;

// The program's name: the title of its message boxes and of its settings file.
inline constexpr const char16_t* kAppName = u"Tolvane";

// Where the window keeps Tolvane.ini and finds its mapping tables, as
// support/places.h chooses them for the running program.
struct 文件位置 {
    std::u16string 设置文件夹;
    // Lowest precedence first: a later folder's table replaces an earlier one's.
    std::vector<std::u16string> 对照表文件夹;
};

// The real controls, built by a front-end from 主窗体设计().
struct 主窗体控件 {
    Window& 窗体;
    ComboBox& 依据;
    ComboBox& 类型;
    Button& 选择源文件;
    Button& 删除;
    Button& 清除;
    Button& 开始转换;
    ListBox& 源文件;
    TextBox& 剪贴板;
    PopupMenu& 弹出菜单;
};

class 主窗体 : private 作业界面, private TableLoadWindow, private 系统栏事件 {
  public:
    主窗体(主窗体控件 控件, Desktop& 桌面, 文件位置 位置);
    ~主窗体() override;
    主窗体(const 主窗体&) = delete;
    主窗体& operator=(const 主窗体&) = delete;

    // The window's own events. Form_Resize runs on every change of the
    // window's state by the user or the system.
    void Form_Load();
    void Form_Unload();
    void Form_Resize();

    // A combo box's Click is a pick by the user.
    void 开始转换_Click();
    void 类型_Click();
    void 依据_Click();
    void 选择源文件_Click();
    void 删除_Click();
    void 清除_Click();
    void 剪贴板_DblClick();
    // The drop effect: 1 copy, 0 none.
    int 源文件_OLEDragOver(const DropData& 数据);
    int 源文件_OLEDragDrop(const DropData& 数据);

    // The tray icon's mouse release (Button 1 left, 2 right) and the tray menu.
    void Tray_MouseUp(std::int32_t Button, std::int32_t Id);
    void 关于_Click();
    void 恢复_Click();
    void 转换方式_Click(int Index);
    void 关闭_Click();

  private:
    // Start-up and shut-down.
    void 恢复窗体位置();
    void 读出个人设置();
    void 保存设置();
    void 列出对照表();
    void 释放系统栏();

    // The source list.
    void 加入源文件(const std::u16string& 路径);
    void 设置水平范围(ListBox& 列表, bool 重算);
    int 最宽项宽度(const ListBox& 列表) const;
    WindowHandle 对话框所有者() const;
    // The table of that name, loaded with its captions and cancel points.
    LoadedTable 读取对照表(const std::u16string& 名称, TableLoadWindow& 显示);

    // Busy state and status.
    void 开始作业(TablePtr 表);
    void 等待吧(bool 忙);
    bool 忙碌中() const;

    // 作业界面: what the job asks of the window, on the window's thread.
    void 显示状态(const std::u16string& 状态) override;
    int 源文件数() override;
    std::u16string 源文件项(int 序号) override;
    void 设置源文件项(int 序号, const std::u16string& 文本) override;
    MessageAnswer 消息框(const std::u16string& 文本, MessageIcon 图标,
                         MessageButtons 按钮) override;
    std::u16string 剪贴板内容() override;
    void 放入剪贴板(const std::u16string& 文本) override;
    void 刷新() override;

    // TableLoadWindow: what a table load shows.
    void setCaption(const std::u16string& text) override;
    void clearSelection() override;

    // 系统栏事件
    void MouseUp(std::int32_t Button, std::int32_t Id) override;

    主窗体控件 控件_;
    Desktop& 桌面_;
    std::u16string 设置文件夹_;
    // The folders of the mapping tables, lowest precedence first.
    std::vector<std::u16string> 对照表路径_;
    std::unique_ptr<作业启动器> 启动器_;
    // The table picked in 依据, when it loaded.
    TablePtr 对照表_;
    // Phrase rules are loaded with the tables; off, tables convert by characters alone.
    bool 使用词组_ = true;
    // The encoding files are written in; Auto: each in its own.
    Encoding 输出编码_ = Encoding::Auto;

    std::u16string 正常标题_;
    std::shared_ptr<Picture> 正常图标_;
    std::shared_ptr<Picture> 忙碌图标_;
    std::shared_ptr<系统栏> Tray_;
    // 0 never, -1 once (then 0), any other value every time.
    std::int32_t 提示使用拖放操作_ = -1;
    int 水平范围_ = 0;
    // The captured clipboard text.
    std::u16string 剪贴板内容_;
};

} // namespace tolvane
