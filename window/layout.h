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

// What choosing an item of the tray menu runs.
enum class MenuCommand { Separator, About, Restore, Mode, Close };

struct MenuItemDesign {
    std::u16string name;
    std::u16string caption; // "-" for a separator
    bool enabled;
    MenuCommand command; // Mode: the item array 转换方式, which grows by one per table
};

struct WindowDesign {
    std::u16string title;
    int clientWidth;  // twips
    int clientHeight; // twips
    std::vector<ControlDesign> controls;
    std::vector<MenuItemDesign> menu;
};

const WindowDesign& 主窗体设计();

// A control's key: its name, and for an element of a control array "(index)",
// as in "l(0)".
std::u16string controlKey(const ControlDesign& design);

// Every control, labels included, by ascending tab index.
std::vector<const ControlDesign*> inTabOrder(const WindowDesign& design);

// 1440 twips make an inch: 15 a pixel on a screen of 96 dots per inch, the
// density assumed where the real one is not known.
inline constexpr int kStandardDpi = 96;
// Rounded to the nearest pixel or twip, halves away from zero.
int pixelsOf(int twips, int dpi = kStandardDpi);
int twipsOf(int pixels, int dpi = kStandardDpi);

// The text box 剪贴板 holds at most this many code units: a longer clipboard
// text is previewed by its beginning, and converted whole.
inline constexpr int kClipboardPreviewUnits = 2048;

} // namespace tolvane
