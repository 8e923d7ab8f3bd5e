#pragma once
// Forwards what the user does in the Qt window to the window logic's handlers.

#include "app/gui/handlers.h"
#include "frontend/qt/desktop.h"
#include "frontend/qt/form.h"

namespace tolvane::gui {

// Connects every event of the form and its menu to its handler; a quit of the
// application from outside the window unloads it as its close box does.
void connectHandlers(qt::Form& form, 主窗体& window, Desktop& desktop);

} // namespace tolvane::gui
