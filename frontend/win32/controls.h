#pragma once
// The window's controls over native Win32 controls: a button, a drop-down
// list, an extended-selection list box and a read-only text box.

#include "platform/ui.h"

#include <windows.h>

namespace tolvane::win32 {

// What every native control does alike for the window logic's interface.
template <class Interface> class NativeControl : public Interface {
  public:
    explicit NativeControl(HWND hwnd) : hwnd_(hwnd) {}
    HWND hwnd() const { return hwnd_; }

    void setEnabled(bool enabled) override { ::EnableWindow(hwnd_, enabled); }
    bool enabled() const override { return ::IsWindowEnabled(hwnd_); }
    void setVisible(bool visible) override { ::ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }
    // Its own flag: a control stays visible while its window is hidden in the tray.
    bool visible() const override { return (::GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

  private:
    HWND hwnd_;
};

class ButtonControl : public NativeControl<Button> {
  public:
    using NativeControl::NativeControl;
    void setCaption(const std::u16string& caption) override;
    std::u16string caption() const override;
    WindowHandle handle() const override { return reinterpret_cast<WindowHandle>(hwnd()); }
};

class ComboControl : public NativeControl<ComboBox> {
  public:
    using NativeControl::NativeControl;
    void addItem(const std::u16string& text) override;
    int count() const override;
    std::u16string itemText(int index) const override;
    int selectedIndex() const override;
    void setSelectedIndex(int index) override;
    std::u16string text() const override;
};

class ListControl : public NativeControl<ListBox> {
  public:
    using NativeControl::NativeControl;
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

class TextControl : public NativeControl<TextBox> {
  public:
    using NativeControl::NativeControl;
    void setText(const std::u16string& text) override;
    std::u16string text() const override;
};

} // namespace tolvane::win32
