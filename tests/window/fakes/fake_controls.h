#pragma once
// State-keeping stand-ins for the window's controls: they hold what was set,
// so that tests can look at the window as the user would see it.

#include "platform/ui.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tolvane::fakes {

template <class Base> class WithControlState : public Base {
  public:
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool enabled() const override { return enabled_; }
    void setVisible(bool visible) override { visible_ = visible; }
    bool visible() const override { return visible_; }

  private:
    bool enabled_ = true;
    bool visible_ = true;
};

class FakeButton : public WithControlState<Button> {
  public:
    FakeButton(std::u16string caption, WindowHandle handle)
        : caption_(std::move(caption)), handle_(handle) {}
    void setCaption(const std::u16string& caption) override { caption_ = caption; }
    std::u16string caption() const override { return caption_; }
    WindowHandle handle() const override { return handle_; }

  private:
    std::u16string caption_;
    WindowHandle handle_;
};

class FakeComboBox : public WithControlState<ComboBox> {
  public:
    explicit FakeComboBox(std::vector<std::u16string> items = {}) : items_(std::move(items)) {}
    void addItem(const std::u16string& text) override { items_.push_back(text); }
    int count() const override { return static_cast<int>(items_.size()); }
    std::u16string itemText(int index) const override { return items_.at(index); }
    int selectedIndex() const override { return selected_; }
    void setSelectedIndex(int index) override { selected_ = index < count() ? index : -1; }
    std::u16string text() const override { return selected_ < 0 ? u"" : items_.at(selected_); }
    const std::vector<std::u16string>& items() const { return items_; }

  private:
    std::vector<std::u16string> items_;
    int selected_ = -1;
};

class FakeListBox : public WithControlState<ListBox> {
  public:
    int count() const override { return static_cast<int>(items_.size()); }
    std::u16string itemText(int index) const override { return items_.at(index).text; }
    void setItemText(int index, const std::u16string& text) override {
        items_.at(index).text = text;
    }
    void addItem(const std::u16string& text) override { items_.push_back({text, false}); }
    void removeItem(int index) override { items_.erase(items_.begin() + index); }
    void clear() override { items_.clear(); }
    bool isSelected(int index) const override { return items_.at(index).selected; }
    int selectedCount() const override;
    void setHorizontalExtent(int pixels) override { extent_ = pixels; }

    void select(int index) { items_.at(index).selected = true; }
    int extent() const { return extent_; }
    std::vector<std::u16string> texts() const;

  private:
    struct Item {
        std::u16string text;
        bool selected;
    };
    std::vector<Item> items_;
    int extent_ = 0;
};

class FakeTextBox : public WithControlState<TextBox> {
  public:
    void setText(const std::u16string& text) override { text_ = text; }
    std::u16string text() const override { return text_; }

  private:
    std::u16string text_;
};

class FakePopupMenu : public PopupMenu {
  public:
    int modeItemCount() const override { return static_cast<int>(items_.size()); }
    void addModeItem() override { items_.push_back({u"", true}); }
    void setModeItemCaption(int index, const std::u16string& caption) override {
        items_.at(index).caption = caption;
    }
    std::u16string modeItemCaption(int index) const override { return items_.at(index).caption; }
    void setModeItemEnabled(int index, bool enabled) override {
        items_.at(index).enabled = enabled;
    }
    bool modeItemEnabled(int index) const override { return items_.at(index).enabled; }
    void popup() override { shown_ = true; }

    bool shown() const { return shown_; }

  private:
    struct Item {
        std::u16string caption;
        bool enabled;
    };
    std::vector<Item> items_{{u"转换方式", false}};
    bool shown_ = false;
};

// A window whose frame adds 120 twips to the width and 465 to the height, and
// whose font draws every code unit 7.5 pixels wide.
class FakeWindow : public Window {
  public:
    static constexpr double kUnitWidth = 7.5;

    void setCaption(const std::u16string& caption) override { caption_ = caption; }
    std::u16string caption() const override { return caption_; }
    void setIcon(const std::shared_ptr<Picture>& icon) override { icon_ = icon; }
    std::shared_ptr<Picture> icon() const override { return icon_; }
    WindowState state() const override { return state_; }
    void setState(WindowState state) override { state_ = state; }
    void move(int leftTwips, int topTwips) override;
    int left() const override { return place_.left; }
    int top() const override { return place_.top; }
    int width() const override { return place_.right - place_.left; }
    int height() const override { return place_.bottom - place_.top; }
    TwipsRect normalRect() const override { return place_; }
    void show() override { visible_ = true; }
    void hide() override { visible_ = false; }
    void close() override;
    double textWidth(const std::u16string& text) const override {
        return kUnitWidth * static_cast<double>(text.size());
    }

    bool visible() const { return visible_; }
    bool closed() const { return closed_; }
    // What the front-end runs when the window closes.
    void onClose(std::function<void()> unload) { unload_ = std::move(unload); }

  private:
    std::u16string caption_ = u"Tolvane";
    std::shared_ptr<Picture> icon_;
    WindowState state_ = WindowState::Normal;
    TwipsRect place_{0, 0, 4665, 4080};
    bool visible_ = false;
    bool closed_ = false;
    std::function<void()> unload_;
};

} // namespace tolvane::fakes
