#pragma once
// The main window over native Win32 controls, built from the window's design
// at the screen's density (15 twips a pixel at 96 DPI), with every control at
// its place and size, created in tab order, and the tray's popup menu.

#include "frontend/win32/controls.h"
#include "frontend/win32/drop.h"
#include "frontend/win32/menu.h"
#include "platform/ui.h"
#include "window/layout.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <windows.h>

namespace tolvane::win32 {

class Form;

class WindowControl : public Window {
  public:
    explicit WindowControl(Form& form) : form_(form) {}

    void setCaption(const std::u16string& caption) override;
    std::u16string caption() const override;
    void setIcon(const std::shared_ptr<Picture>& icon) override;
    std::shared_ptr<Picture> icon() const override { return icon_; }
    WindowState state() const override;
    void setState(WindowState state) override;
    void move(int leftTwips, int topTwips) override;
    int left() const override;
    int top() const override;
    int width() const override;
    int height() const override;
    TwipsRect normalRect() const override;
    void show() override;
    void hide() override;
    void close() override;
    double textWidth(const std::u16string& text) const override;

    // The state the user or the system gave the window (WM_SIZE).
    void stateChanged(WindowState state) { state_ = state; }

  private:
    HWND hwnd() const;

    Form& form_;
    std::shared_ptr<Picture> icon_;
    // What the window is while hidden (in the tray, or before it is first shown).
    WindowState state_ = WindowState::Normal;
};

// How the Start button shows its symbols: with the Webdings font when the
// system has it, else drawn by the program. Its caption stays "4" or "<".
enum class SymbolFont { Detect, Webdings, Drawn };

class Form {
  public:
    explicit Form(const WindowDesign& design, SymbolFont symbols = SymbolFont::Detect);
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND hwnd() const { return hwnd_; }
    WindowControl& window() { return window_; }
    PopupMenuControl& menu() { return *menu_; }
    ButtonControl& button(const std::u16string& name) { return *buttons_.at(name); }
    ComboControl& combo(const std::u16string& name) { return *combos_.at(name); }
    ListControl& list(const std::u16string& name) { return *lists_.at(name); }
    TextControl& textBox(const std::u16string& name) { return *texts_.at(name); }
    // A control's native window by its name; labels of the array l as "l(0)" ...
    HWND control(const std::u16string& key) const { return controls_.at(key); }
    // Pixels of a length in twips at the screen's density, and back.
    int pixels(int twips) const;
    int twips(int pixels) const;
    // The size of a text in the window's font, in pixels.
    SIZE textExtent(const std::u16string& text) const;

    // A click on a button or a pick in a combo box, by the control's name.
    std::function<void(const std::u16string& name)> onClick;
    // A double click on the text box.
    std::function<void()> onDoubleClick;
    DropHandlers dropHandlers;
    // A change of the window state by the user or the system.
    std::function<void()> onStateChange;
    // Runs once, before the window goes, however the close was asked for.
    std::function<void()> onUnload;
    // The window is gone (the program's loop ends then).
    std::function<void()> onDestroyed;
    // The queued calls of the window's thread are due.
    std::function<void()> onPosted;
    // Explorer started again: the tray icon must be added again.
    std::function<void()> onTaskbarCreated;

    // While set, state changes are the program's own and are not reported.
    bool settingState = false;

    // The message that carries queued calls to the window's thread.
    static constexpr UINT kPostedCalls = WM_APP + 1;

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK textBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR form);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void createWindow(const WindowDesign& design);
    void createControl(const ControlDesign& design, int id);
    HWND createNative(const ControlDesign& design, int id);
    void command(WPARAM wParam);
    void sized(WPARAM kind);
    void unload();
    void drawSymbol(const DRAWITEMSTRUCT& item) const;

    int dpi_;
    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    HFONT symbolFont_ = nullptr;
    bool drawnSymbols_ = false;
    bool unloaded_ = false;
    WindowState reported_ = WindowState::Normal;
    UINT taskbarCreated_;
    WindowControl window_{*this};
    std::unique_ptr<PopupMenuControl> menu_;
    std::unique_ptr<FileDropTarget> dropTarget_;
    std::map<std::u16string, HWND> controls_;
    std::map<int, std::u16string> names_;
    std::map<std::u16string, std::unique_ptr<ButtonControl>> buttons_;
    std::map<std::u16string, std::unique_ptr<ComboControl>> combos_;
    std::map<std::u16string, std::unique_ptr<ListControl>> lists_;
    std::map<std::u16string, std::unique_ptr<TextControl>> texts_;
};

// Whether the system has the Webdings font.
bool hasWebdings();

} // namespace tolvane::win32
