#pragma once
// Forwards what the user does in the native window to the window logic's handlers.

#include "frontend/win32/desktop.h"
#include "frontend/win32/form.h"
#include "window/main_window.h"

#include <functional>

namespace tolvane::gui {

主窗体控件 controlsOf(win32::Form& form);

// Connects every event of the form and its menu to its handler.
void connectHandlers(win32::Form& form, 主窗体& window, Desktop& desktop);

// Runs a handler. An error no handler dealt with is shown to the user and ends
// the program, as the window logic expects of its platform.
void runHandler(Desktop& desktop, const std::function<void()>& handler);

} // namespace tolvane::gui
