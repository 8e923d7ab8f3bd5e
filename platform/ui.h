#pragma once
// What the main window asks of the desktop: its controls, message boxes, the
// clipboard, dropped files, the screen and the window's thread. Toolkit-free:
// each front-end (Qt on Linux, Win32 on Windows) implements these thinly, and
// the tests implement them with recording fakes.
//
// Events: the front-end forwards only what the user did (a pick in a combo
// box, a click, a drop, a state change by the user or the system). Setting a
// selection or a state through these interfaces reports nothing; the window
// logic runs its own handler when it changes something itself.

#include "platform/open_dialog.h"
#include "platform/picture.h"
#include "platform/tray.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tolvane {

class Control {
  public:
    virtual ~Control() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool visible() const = 0;
};

class Button : public Control {
  public:
    virtual void setCaption(const std::u16string& caption) = 0;
    virtual std::u16string caption() const = 0;
    // The native handle that receives the tray icon's notifications.
    virtual WindowHandle handle() const = 0;
};

// A drop-down list: items can be picked, not typed.
class ComboBox : public Control {
  public:
    virtual void addItem(const std::u16string& text) = 0;
    virtual int count() const = 0;
    virtual std::u16string itemText(int index) const = 0;
    virtual int selectedIndex() const = 0;        // -1: nothing selected
    virtual void setSelectedIndex(int index) = 0; // -1 clears the selection
    virtual std::u16string text() const = 0;      // the selected item's text, or empty
};

// The list box takes its extent as a 16-bit signed number.
inline constexpr int kMaxListExtent = 32767;

// A list with extended selection (Shift and Ctrl) and a horizontal extent.
class ListBox : public Control {
  public:
    virtual int count() const = 0;
    virtual std::u16string itemText(int index) const = 0;
    virtual void setItemText(int index, const std::u16string& text) = 0;
    virtual void addItem(const std::u16string& text) = 0;
    virtual void removeItem(int index) = 0;
    virtual void clear() = 0;
    virtual bool isSelected(int index) const = 0;
    virtual int selectedCount() const = 0;
    // Wider than the box, it shows a horizontal scroll bar (pixels, 0 to
    // kMaxListExtent).
    virtual void setHorizontalExtent(int pixels) = 0;
};

// A read-only, multi-line text box.
class TextBox : public Control {
  public:
    virtual void setText(const std::u16string& text) = 0;
    virtual std::u16string text() const = 0;
};

// The tray's popup menu: 关于, -, 恢复, -, the item array 转换方式, -, 关闭.
class PopupMenu {
  public:
    virtual ~PopupMenu() = default;
    virtual int modeItemCount() const = 0; // elements of 转换方式; 1 as built
    virtual void addModeItem() = 0;        // a new element after the last, enabled
    virtual void setModeItemCaption(int index, const std::u16string& caption) = 0;
    virtual std::u16string modeItemCaption(int index) const = 0;
    virtual void setModeItemEnabled(int index, bool enabled) = 0;
    virtual bool modeItemEnabled(int index) const = 0;
    // Opens at the mouse position with 恢复 as the default (bold) item.
    virtual void popup() = 0;
};

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// Places and sizes in twips (15 to a pixel unless the real density is known).
struct TwipsRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class Window {
  public:
    virtual ~Window() = default;
    virtual void setCaption(const std::u16string& caption) = 0;
    virtual std::u16string caption() const = 0;
    virtual void setIcon(const std::shared_ptr<Picture>& icon) = 0;
    virtual std::shared_ptr<Picture> icon() const = 0;
    virtual WindowState state() const = 0;
    virtual void setState(WindowState state) = 0;
    virtual void move(int leftTwips, int topTwips) = 0;
    virtual int left() const = 0; // the whole window, frame included
    virtual int top() const = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Where the window sits when restored, even while minimised or hidden.
    virtual TwipsRect normalRect() const = 0;
    virtual void show() = 0; // modeless, and brought to the front
    virtual void hide() = 0;
    // Closes the window; the front-end then runs the unload handler as it
    // does for the close box.
    virtual void close() = 0;
    // Width of a text in the window's font, in pixels.
    virtual double textWidth(const std::u16string& text) const = 0;
};

enum class MessageIcon { None, Stop };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

// Plain text on the system clipboard. Throws Error when it cannot be opened.
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual bool hasText() const = 0;
    virtual std::u16string text() const = 0;
    virtual void clear() = 0;
    virtual void setText(const std::u16string& text) = 0;
};

// What is dragged over or dropped on the file list.
class DropData {
  public:
    virtual ~DropData() = default;
    virtual bool hasFileList() const = 0;
    virtual std::vector<std::u16string> files() const = 0; // full paths, in the source's order
};

// The desktop services beside the controls.
class Desktop {
  public:
    virtual ~Desktop() = default;
    // A modal message box; blocks until the user answers.
    virtual MessageAnswer messageBox(const std::u16string& title, const std::u16string& text,
                                     MessageIcon icon, MessageButtons buttons) = 0;
    // Lets the window process its pending events once (window thread only).
    virtual void processEvents() = 0;
    virtual int screenWidth() const = 0; // primary screen, twips
    virtual int screenHeight() const = 0;
    // Queues a call to run on the window's thread, after those queued before
    // it. Safe from any thread; calls queued after the window is gone are dropped.
    virtual void postToWindowThread(std::function<void()> call) = 0;
    // Whether a notification area exists; without one the window must never
    // hide itself on minimising, or it could not be restored.
    virtual bool hasTray() const = 0;
    virtual Clipboard& clipboard() = 0;
    virtual OpenFileDialog& openFileDialog() = 0;
    virtual TrayCalls& trayCalls() = 0;
    // The window's two icons: green arrows (idle), red (busy).
    virtual std::shared_ptr<Picture> idleIcon() const = 0;
    virtual std::shared_ptr<Picture> busyIcon() const = 0;
};

} // namespace tolvane
