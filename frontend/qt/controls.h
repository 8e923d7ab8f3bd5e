#pragma once
// The controls of the window logic over Qt widgets. Each only forwards; the
// on... callbacks carry what the user did back to the window logic.

#include "frontend/qt/widgets.h"
#include "platform/ui.h"

#include <QComboBox>
#include <QPushButton>
#include <functional>

namespace tolvane::qt {

template <class Interface> class WidgetControl : public Interface {
  public:
    explicit WidgetControl(QWidget& widget) : widget_(widget) {}

    void setEnabled(bool enabled) override { widget_.setEnabled(enabled); }
    bool enabled() const override { return widget_.isEnabled(); }
    void setVisible(bool visible) override { widget_.setVisible(visible); }
    // Its own flag: a control stays "visible" while its window sits in the tray.
    bool visible() const override { return !widget_.isHidden(); }

  private:
    QWidget& widget_;
};

class ButtonAdapter : public WidgetControl<Button> {
  public:
    ButtonAdapter(QPushButton& button, WindowHandle handle);

    void setCaption(const std::u16string& caption) override;
    std::u16string caption() const override;
    WindowHandle handle() const override { return handle_; }

    std::function<void()> onClick;

  private:
    QPushButton& button_;
    WindowHandle handle_;
};

class ComboAdapter : public WidgetControl<ComboBox> {
  public:
    explicit ComboAdapter(QComboBox& combo);

    void addItem(const std::u16string& text) override;
    int count() const override;
    std::u16string itemText(int index) const override;
    int selectedIndex() const override;
    void setSelectedIndex(int index) override;
    std::u16string text() const override;

    // A pick by the user only.
    std::function<void()> onClick;

  private:
    QComboBox& combo_;
};

class ListAdapter : public WidgetControl<ListBox> {
  public:
    explicit ListAdapter(FileList& list);

    int count() const override;
    std::u16string itemText(int index) const override;
    void setItemText(int index, const std::u16string& text) override;
    void addItem(const std::u16string& text) override;
    void removeItem(int index) override;
    void clear() override;
    bool isSelected(int index) const override;
    int selectedCount() const override;
    void setHorizontalExtent(int pixels) override;

  private:
    FileList& list_;
};

class TextAdapter : public WidgetControl<TextBox> {
  public:
    explicit TextAdapter(ClipboardView& view);

    void setText(const std::u16string& text) override;
    std::u16string text() const override;

  private:
    ClipboardView& view_;
};

} // namespace tolvane::qt
