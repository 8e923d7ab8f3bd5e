#include "frontend/qt/controls.h"

#include "frontend/qt/text.h"
#include "window/layout.h"

namespace tolvane::qt {

ButtonAdapter::ButtonAdapter(QPushButton& button, WindowHandle handle)
    : WidgetControl(button), button_(button), handle_(handle) {
    QObject::connect(&button_, &QPushButton::clicked, [this] {
        if (onClick) onClick();
    });
}

void ButtonAdapter::setCaption(const std::u16string& caption) {
    button_.setText(toQString(caption));
}

std::u16string ButtonAdapter::caption() const {
    return toU16(button_.text());
}

ComboAdapter::ComboAdapter(QComboBox& combo) : WidgetControl(combo), combo_(combo) {
    QObject::connect(&combo_, &QComboBox::activated, [this] {
        if (onClick) onClick();
    });
}

void ComboAdapter::addItem(const std::u16string& text) {
    // Qt selects the first item added to an empty box; here the selection
    // changes only when the user or the window logic picks an item.
    const int selected = combo_.currentIndex();
    combo_.addItem(toQString(text));
    combo_.setCurrentIndex(selected);
}

int ComboAdapter::count() const {
    return combo_.count();
}

std::u16string ComboAdapter::itemText(int index) const {
    return toU16(combo_.itemText(index));
}

int ComboAdapter::selectedIndex() const {
    return combo_.currentIndex();
}

void ComboAdapter::setSelectedIndex(int index) {
    combo_.setCurrentIndex(index);
}

std::u16string ComboAdapter::text() const {
    return toU16(combo_.currentText());
}

ListAdapter::ListAdapter(FileList& list) : WidgetControl(list), list_(list) {}

int ListAdapter::count() const {
    return list_.count();
}

std::u16string ListAdapter::itemText(int index) const {
    const QListWidgetItem* entry = list_.item(index);
    return entry ? toU16(entry->text()) : std::u16string();
}

void ListAdapter::setItemText(int index, const std::u16string& text) {
    if (QListWidgetItem* entry = list_.item(index)) entry->setText(toQString(text));
}

void ListAdapter::addItem(const std::u16string& text) {
    list_.addItem(toQString(text));
}

void ListAdapter::removeItem(int index) {
    delete list_.takeItem(index);
}

void ListAdapter::clear() {
    list_.clear();
}

bool ListAdapter::isSelected(int index) const {
    const QListWidgetItem* entry = list_.item(index);
    return entry && entry->isSelected();
}

int ListAdapter::selectedCount() const {
    return static_cast<int>(list_.selectedItems().size());
}

void ListAdapter::setHorizontalExtent(int pixels) {
    list_.setHorizontalExtent(pixels);
}

TextAdapter::TextAdapter(ClipboardView& view) : WidgetControl(view), view_(view) {}

void TextAdapter::setText(const std::u16string& text) {
    view_.setPlainText(toQString(text).left(kClipboardPreviewUnits));
}

std::u16string TextAdapter::text() const {
    return toU16(view_.toPlainText());
}

} // namespace tolvane::qt
