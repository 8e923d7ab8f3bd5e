#pragma once
// The window's controls over native Win32 controls: a button, a drop-down
// list, an extended-selection list box and a read-only text box.

#include "platform/ui.h"

#include <windows.h>

namespace tolvane::win32 {

class NativeControl {
  public:
    explicit NativeControl(HWND hwnd) : hwnd_(hwnd) {}
    HWND hwnd() const { return hwnd_; }

  protected:
    void enable(bool enabled) { ::EnableWindow(hwnd_, enabled); }
    bool isEnabled() const { return ::IsWindowEnabled(hwnd_); }
    void show(bool visible) { ::ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }
    // Visible as far as the control itself goes, also while its window is hidden.
    bool isShown() const { return (::GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

  private:
    HWND hwnd_;
};

class ButtonControl : public Button, public NativeControl {
  public:
    using NativeControl::NativeControl;
    void setEnabled(bool enabled) override { enable(enabled); }
    bool enabled() const override { return isEnabled(); }
    void setVisible(bool visible) override { show(visible); }
    bool visible() const override { return isShown(); }
    void setCaption(const std::u16string& caption) override;
    std::u16string caption() const override;
    WindowHandle handle() const override { return reinterpret_cast<WindowHandle>(hwnd()); }
};

class ComboControl : public ComboBox, public NativeControl {
  public:
    using NativeControl::NativeControl;
    void setEnabled(bool enabled) override { enable(enabled); }
    bool enabled() const override { return isEnabled(); }
    void setVisible(bool visible) override { show(visible); }
    bool visible() const override { return isShown(); }
    void addItem(const std::u16string& text) override;
    int count() const override;
    std::u16string itemText(int index) const override;
    int selectedIndex() const override;
    void setSelectedIndex(int index) override;
    std::u16string text() const override;
};

class ListControl : public ListBox, public NativeControl {
  public:
    using NativeControl::NativeControl;
    void setEnabled(bool enabled) override { enable(enabled); }
    bool enabled() const override { return isEnabled(); }
    void setVisible(bool visible) override { show(visible); }
    bool visible() const override { return isShown(); }
    int count() const override;
    std::u16string itemText(int index) const override;
    void setItemText(int index, const std::u16string& text) override;
    void addItem(const std::u16string& text) override;
    void removeItem(int index) override;
    void clear() override;
    bool isSelected(int index) const override;
    int selectedCount() const override;
    void setHorizontalExtent(int pixels) override;
};

class TextControl : public TextBox, public NativeControl {
  public:
    using NativeControl::NativeControl;
    void setEnabled(bool enabled) override { enable(enabled); }
    bool enabled() const override { return isEnabled(); }
    void setVisible(bool visible) override { show(visible); }
    bool visible() const override { return isShown(); }
    void setText(const std::u16string& text) override;
    std::u16string text() const override;
};

} // namespace tolvane::win32
