#pragma once
// Stand-ins for the window's controls: they hold what was set, so that tests
// can look at the window as the user would see it.

#include "platform/ui.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tolvane::fakes {

template <class Base> struct WithControlState : Base {
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool enabled() const override { return enabled_; }
    void setVisible(bool visible) override { visible_ = visible; }
    bool visible() const override { return visible_; }
    bool enabled_ = true;
    bool visible_ = true;
};

struct FakeButton : WithControlState<Button> {
    FakeButton(std::u16string caption, WindowHandle handle) : caption_(caption), handle_(handle) {}
    void setCaption(const std::u16string& caption) override { caption_ = caption; }
    std::u16string caption() const override { return caption_; }
    WindowHandle handle() const override { return handle_; }
    std::u16string caption_;
    WindowHandle handle_;
};

struct FakeComboBox : WithControlState<ComboBox> {
    explicit FakeComboBox(std::vector<std::u16string> items = {}) : items(std::move(items)) {}
    void addItem(const std::u16string& text) override { items.push_back(text); }
    int count() const override { return static_cast<int>(items.size()); }
    std::u16string itemText(int index) const override { return items.at(index); }
    int selectedIndex() const override { return selected_; }
    void setSelectedIndex(int index) override { selected_ = index < count() ? index : -1; }
    std::u16string text() const override { return selected_ < 0 ? u"" : items.at(selected_); }
    std::vector<std::u16string> items;
    int selected_ = -1;
};

struct FakeListBox : WithControlState<ListBox> {
    int count() const override { return static_cast<int>(texts.size()); }
    std::u16string itemText(int index) const override { return texts.at(index); }
    void setItemText(int index, const std::u16string& text) override { texts.at(index) = text; }
    void addItem(const std::u16string& text) override {
        texts.push_back(text), selected.push_back(false);
    }
    void removeItem(int index) override {
        texts.erase(texts.begin() + index), selected.erase(selected.begin() + index);
    }
    void clear() override { texts.clear(), selected.clear(); }
    bool isSelected(int index) const override { return selected.at(index); }
    int selectedCount() const override {
        return static_cast<int>(std::ranges::count(selected, true));
    }
    void setHorizontalExtent(int pixels) override { extent = pixels; }
    std::vector<std::u16string> texts;
    std::vector<bool> selected;
    int extent = 0;
};

struct FakeTextBox : WithControlState<TextBox> {
    void setText(const std::u16string& text) override { text_ = text; }
    std::u16string text() const override { return text_; }
    std::u16string text_;
};

struct FakePopupMenu : PopupMenu {
    int modeItemCount() const override { return static_cast<int>(captions.size()); }
    void addModeItem() override { captions.emplace_back(), enabled.push_back(true); }
    void setModeItemCaption(int index, const std::u16string& caption) override {
        captions.at(index) = caption;
    }
    std::u16string modeItemCaption(int index) const override { return captions.at(index); }
    void setModeItemEnabled(int index, bool on) override { enabled.at(index) = on; }
    bool modeItemEnabled(int index) const override { return enabled.at(index); }
    void popup() override { shown = true; }
    std::vector<std::u16string> captions{u"转换方式"};
    std::vector<bool> enabled{false};
    bool shown = false;
};

// A window whose font draws every code unit 7.5 pixels wide.
struct FakeWindow : Window {
    void setCaption(const std::u16string& caption) override { caption_ = caption; }
    std::u16string caption() const override { return caption_; }
    void setIcon(const std::shared_ptr<Picture>& icon) override { icon_ = icon; }
    std::shared_ptr<Picture> icon() const override { return icon_; }
    WindowState state() const override { return state_; }
    void setState(WindowState state) override { state_ = state; }
    void move(int left, int top) override { place_ = {left, top, left + width(), top + height()}; }
    int left() const override { return place_.left; }
    int top() const override { return place_.top; }
    int width() const override { return place_.right - place_.left; }
    int height() const override { return place_.bottom - place_.top; }
    TwipsRect normalRect() const override { return place_; }
    void show() override { visible = true; }
    void hide() override { visible = false; }
    void close() override { closed = true, visible = false, onClose(); }
    double textWidth(const std::u16string& text) const override {
        return 7.5 * double(text.size());
    }

    std::u16string caption_ = u"Tolvane";
    std::shared_ptr<Picture> icon_;
    WindowState state_ = WindowState::Normal;
    TwipsRect place_{0, 0, 4665, 4080};
    bool visible = false;
    bool closed = false;
    std::function<void()> onClose; // what the front-end runs when the window closes
};

} // namespace tolvane::fakes
