#pragma once
// Forwards what the user does in the native window to the window logic's handlers.

#include "app/gui/handlers.h"
#include "frontend/win32/desktop.h"
#include "frontend/win32/form.h"

namespace tolvane::gui {

// Connects every event of the form and its menu to its handler.
void connectHandlers(win32::Form& form, 主窗体& window, Desktop& desktop);

} // namespace tolvane::gui
