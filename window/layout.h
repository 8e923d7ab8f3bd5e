#pragma once
// The main window as designed: every control with its kind, name, caption or
// items, place and size in twips and tab order, and the tray's popup menu.
// A front-end builds the real window from this data.

#include <string>
#include <vector>

namespace tolvane {

enum class ControlKind { Label, ComboBox, Button, ListBox, TextBox };

struct ControlDesign {
    ControlKind kind;
    std::u16string name;
    int index; // the element of a control array (the labels l(0..2)); -1 otherwise
    std::u16string caption;
    std::vector<std::u16string> items;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
};

struct MenuItemDesign {
    std::u16string name;
    std::u16string caption; // "-" is a separator
    bool enabled;
};

struct WindowDesign {
    std::u16string title;
    int clientWidth;  // twips
    int clientHeight; // twips
    std::vector<ControlDesign> controls;
    std::vector<MenuItemDesign> menu;
};

inline constexpr int kTwipsPerPixel = 15;

const WindowDesign& 主窗体设计();

} // namespace tolvane
