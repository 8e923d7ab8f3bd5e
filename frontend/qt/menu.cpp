#include "frontend/qt/menu.h"

#include "frontend/qt/text.h"

#include <QCursor>

namespace tolvane::qt {

MenuAdapter::MenuAdapter(const std::vector<MenuItemDesign>& design) {
    for (const MenuItemDesign& item : design)
        addItem(item);
}

void MenuAdapter::addItem(const MenuItemDesign& item) {
    const QString caption = toQString(item.caption);
    if (item.command == MenuCommand::Separator) {
        QAction* separator = menu_.addSeparator();
        if (!modeItems_.empty() && !afterModeItems_) afterModeItems_ = separator;
        return;
    }
    if (item.command == MenuCommand::Mode) {
        addModeAction(caption, item.enabled);
        return;
    }
    QAction* action = menu_.addAction(caption);
    action->setEnabled(item.enabled);
    QObject::connect(action, &QAction::triggered,
                     [this, command = item.command] { report(command, 0); });
    if (item.command == MenuCommand::Restore) menu_.setDefaultAction(action);
}

void MenuAdapter::report(MenuCommand command, int index) {
    if (onChoose) onChoose(command, index);
}

QAction* MenuAdapter::addModeAction(const QString& caption, bool enabled) {
    auto* action = new QAction(caption, &menu_);
    action->setEnabled(enabled);
    const int index = static_cast<int>(modeItems_.size());
    QObject::connect(action, &QAction::triggered,
                     [this, index] { report(MenuCommand::Mode, index); });
    menu_.insertAction(afterModeItems_, action);
    modeItems_.push_back(action);
    return action;
}

int MenuAdapter::modeItemCount() const {
    return static_cast<int>(modeItems_.size());
}

void MenuAdapter::addModeItem() {
    addModeAction(modeItems_.back()->text(), true);
}

void MenuAdapter::setModeItemCaption(int index, const std::u16string& caption) {
    modeItems_.at(static_cast<std::size_t>(index))->setText(toQString(caption));
}

std::u16string MenuAdapter::modeItemCaption(int index) const {
    return toU16(modeItems_.at(static_cast<std::size_t>(index))->text());
}

void MenuAdapter::setModeItemEnabled(int index, bool enabled) {
    modeItems_.at(static_cast<std::size_t>(index))->setEnabled(enabled);
}

bool MenuAdapter::modeItemEnabled(int index) const {
    return modeItems_.at(static_cast<std::size_t>(index))->isEnabled();
}

void MenuAdapter::popup() {
    menu_.popup(QCursor::pos());
}

} // namespace tolvane::qt
