#pragma once
// The tray's popup menu over a QMenu, built from the window's design.

#include "platform/ui.h"
#include "window/layout.h"

#include <QAction>
#include <QMenu>
#include <functional>
#include <vector>

namespace tolvane::qt {

class MenuAdapter : public PopupMenu {
  public:
    explicit MenuAdapter(const std::vector<MenuItemDesign>& design);

    int modeItemCount() const override;
    void addModeItem() override;
    void setModeItemCaption(int index, const std::u16string& caption) override;
    std::u16string modeItemCaption(int index) const override;
    void setModeItemEnabled(int index, bool enabled) override;
    bool modeItemEnabled(int index) const override;
    void popup() override;

    QMenu& menu() { return menu_; }

    // A chosen item: its command and, for 转换方式, the element's index (else 0).
    std::function<void(MenuCommand, int)> onChoose;

  private:
    void addItem(const MenuItemDesign& item);
    QAction* addModeAction(const QString& caption, bool enabled);
    void report(MenuCommand command, int index);

    QMenu menu_;
    std::vector<QAction*> modeItems_;
    QAction* afterModeItems_ = nullptr; // the separator below the item array
};

} // namespace tolvane::qt
