#pragma once
// The tray's popup menu as a native popup menu: 关于, -, 恢复, -, the item
// array 转换方式, -, 关闭, with 恢复 as its bold default item.

#include "platform/ui.h"
#include "window/layout.h"

#include <functional>
#include <map>
#include <string>
#include <vector>
#include <windows.h>

namespace tolvane::win32 {

class PopupMenuControl : public PopupMenu {
  public:
    PopupMenuControl(const std::vector<MenuItemDesign>& design, HWND owner);
    ~PopupMenuControl() override;
    PopupMenuControl(const PopupMenuControl&) = delete;
    PopupMenuControl& operator=(const PopupMenuControl&) = delete;

    int modeItemCount() const override { return static_cast<int>(modeIds_.size()); }
    void addModeItem() override;
    void setModeItemCaption(int index, const std::u16string& caption) override;
    std::u16string modeItemCaption(int index) const override;
    void setModeItemEnabled(int index, bool enabled) override;
    bool modeItemEnabled(int index) const override;
    void popup() override;

    HMENU handle() const { return menu_; }
    // Runs the handler of a chosen item; false for an id not of this menu.
    bool choose(UINT id);

    // A chosen item: its command and, for 转换方式, the element's index (else 0).
    std::function<void(MenuCommand, int)> onChoose;

  private:
    UINT modeId(int index) const { return modeIds_.at(static_cast<std::size_t>(index)); }

    HMENU menu_;
    HWND owner_;
    // The items other than 转换方式's elements, by their id.
    std::map<UINT, MenuCommand> commands_;
    std::vector<UINT> modeIds_;
    UINT nextId_ = 1;
};

} // namespace tolvane::win32
