#pragma once
// What the wiring of every front-end shares: the window's handlers run so that
// an error none of them dealt with ends the program, and the window's controls
// and menu taken from a form by their names.

#include "window/layout.h"
#include "window/main_window.h"

#include <functional>

namespace tolvane::gui {

// Ends the program's event loop with a failure; each front-end has its own.
void quitAfterError();

// Runs a handler. An error no handler dealt with is shown to the user and ends
// the program, as the window logic expects of its platform.
void runHandler(Desktop& desktop, const std::function<void()>& handler);

// An event of the form that runs one of the window's handlers through runHandler.
std::function<void()> forward(Desktop& desktop, 主窗体& window, void (主窗体::*handler)());
std::function<int(const DropData&)> forwardDrop(Desktop& desktop, 主窗体& window,
                                                int (主窗体::*handler)(const DropData&));

template <typename Form> 主窗体控件 controlsOf(Form& form) {
    return {form.window(),
            form.combo(u"依据"),
            form.combo(u"类型"),
            form.button(u"选择源文件"),
            form.button(u"删除"),
            form.button(u"清除"),
            form.button(u"开始转换"),
            form.list(u"源文件"),
            form.textBox(u"剪贴板"),
            form.menu()};
}

// Runs the window's handler of a chosen tray menu item; index is the element
// of 转换方式.
void chooseMenuItem(主窗体& window, MenuCommand command, int index);

template <typename Menu> void connectMenu(Menu& menu, 主窗体& window, Desktop& desktop) {
    menu.onChoose = [&desktop, &window](MenuCommand command, int index) {
        runHandler(desktop, [&window, command, index] { chooseMenuItem(window, command, index); });
    };
}

} // namespace tolvane::gui
