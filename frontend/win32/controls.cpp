#include "frontend/win32/controls.h"

#include "frontend/win32/text.h"

namespace tolvane::win32 {

namespace {

LRESULT send(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageW(hwnd, message, wParam, lParam);
}

LPARAM textParam(const std::u16string& text) {
    return reinterpret_cast<LPARAM>(wide(text));
}

// An item's text through the control's length and text messages.
std::u16string itemOf(HWND hwnd, UINT lengthMessage, UINT textMessage, int index) {
    const LRESULT length = send(hwnd, lengthMessage, static_cast<WPARAM>(index));
    if (length < 0) return {};
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    send(hwnd, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

} // namespace

void ButtonControl::setCaption(const std::u16string& caption) {
    ::SetWindowTextW(hwnd(), wide(caption));
    // An owner-drawn button shows its symbol from the caption.
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

std::u16string ButtonControl::caption() const {
    return windowText(hwnd());
}

void ComboControl::addItem(const std::u16string& text) {
    send(hwnd(), CB_ADDSTRING, 0, textParam(text));
}

int ComboControl::count() const {
    return static_cast<int>(send(hwnd(), CB_GETCOUNT));
}

std::u16string ComboControl::itemText(int index) const {
    return itemOf(hwnd(), CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

int ComboControl::selectedIndex() const {
    return static_cast<int>(send(hwnd(), CB_GETCURSEL));
}

void ComboControl::setSelectedIndex(int index) {
    send(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index));
}

std::u16string ComboControl::text() const {
    const int index = selectedIndex();
    return index < 0 ? std::u16string() : itemText(index);
}

int ListControl::count() const {
    return static_cast<int>(send(hwnd(), LB_GETCOUNT));
}

std::u16string ListControl::itemText(int index) const {
    return itemOf(hwnd(), LB_GETTEXTLEN, LB_GETTEXT, index);
}

void ListControl::setItemText(int index, const std::u16string& text) {
    const bool selected = isSelected(index);
    send(hwnd(), LB_DELETESTRING, static_cast<WPARAM>(index));
    send(hwnd(), LB_INSERTSTRING, static_cast<WPARAM>(index), textParam(text));
    if (selected) send(hwnd(), LB_SETSEL, TRUE, index);
}

void ListControl::addItem(const std::u16string& text) {
    send(hwnd(), LB_ADDSTRING, 0, textParam(text));
}

void ListControl::removeItem(int index) {
    send(hwnd(), LB_DELETESTRING, static_cast<WPARAM>(index));
}

void ListControl::clear() {
    send(hwnd(), LB_RESETCONTENT);
}

bool ListControl::isSelected(int index) const {
    return send(hwnd(), LB_GETSEL, static_cast<WPARAM>(index)) > 0;
}

int ListControl::selectedCount() const {
    return static_cast<int>(send(hwnd(), LB_GETSELCOUNT));
}

void ListControl::setHorizontalExtent(int pixels) {
    send(hwnd(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(pixels));
}

void TextControl::setText(const std::u16string& text) {
    ::SetWindowTextW(hwnd(), wide(text));
}

std::u16string TextControl::text() const {
    return windowText(hwnd());
}

} // namespace tolvane::win32
