#include "frontend/win32/menu.h"

#include "frontend/win32/text.h"

#include <algorithm>

namespace tolvane::win32 {

namespace {

UINT stateOf(bool enabled) {
    return enabled ? MF_ENABLED : MF_GRAYED;
}

} // namespace

PopupMenuControl::PopupMenuControl(const std::vector<MenuItemDesign>& design, HWND owner)
    : menu_(::CreatePopupMenu()), owner_(owner) {
    for (const MenuItemDesign& item : design) {
        if (item.command == MenuCommand::Separator) {
            ::AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT id = nextId_++;
        ::AppendMenuW(menu_, MF_STRING | stateOf(item.enabled), id, wide(item.caption));
        if (item.command == MenuCommand::Mode) {
            modeIds_.push_back(id);
        } else {
            commands_[id] = item.command;
        }
        if (item.command == MenuCommand::Restore) ::SetMenuDefaultItem(menu_, id, FALSE);
    }
}

PopupMenuControl::~PopupMenuControl() {
    ::DestroyMenu(menu_);
}

void PopupMenuControl::addModeItem() {
    const UINT last = modeId(modeItemCount() - 1);
    int position = 0;
    while (position < ::GetMenuItemCount(menu_) && ::GetMenuItemID(menu_, position) != last)
        ++position;
    const UINT id = nextId_++;
    // Right after the last element of the array.
    ::InsertMenuW(menu_, static_cast<UINT>(position + 1), MF_BYPOSITION | MF_STRING, id, L"");
    modeIds_.push_back(id);
}

void PopupMenuControl::setModeItemCaption(int index, const std::u16string& caption) {
    ::ModifyMenuW(menu_, modeId(index), MF_BYCOMMAND | MF_STRING | stateOf(modeItemEnabled(index)),
                  modeId(index), wide(caption));
}

std::u16string PopupMenuControl::modeItemCaption(int index) const {
    const int length = ::GetMenuStringW(menu_, modeId(index), nullptr, 0, MF_BYCOMMAND);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    ::GetMenuStringW(menu_, modeId(index), reinterpret_cast<wchar_t*>(text.data()), length + 1,
                     MF_BYCOMMAND);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void PopupMenuControl::setModeItemEnabled(int index, bool enabled) {
    ::EnableMenuItem(menu_, modeId(index), MF_BYCOMMAND | stateOf(enabled));
}

bool PopupMenuControl::modeItemEnabled(int index) const {
    return (::GetMenuState(menu_, modeId(index), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

void PopupMenuControl::popup() {
    POINT at{};
    ::GetCursorPos(&at);
    // Without this the menu would not close when the user clicks elsewhere.
    ::SetForegroundWindow(owner_);
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(
        menu_, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner_, nullptr));
    ::PostMessageW(owner_, WM_NULL, 0, 0);
    if (chosen != 0) choose(chosen);
}

bool PopupMenuControl::choose(UINT id) {
    const auto mode = std::find(modeIds_.begin(), modeIds_.end(), id);
    const auto other = commands_.find(id);
    if (mode == modeIds_.end() && other == commands_.end()) return false;
    if (!onChoose) return true;
    if (mode != modeIds_.end()) {
        onChoose(MenuCommand::Mode, static_cast<int>(mode - modeIds_.begin()));
    } else {
        onChoose(other->second, 0);
    }
    return true;
}

} // namespace tolvane::win32
