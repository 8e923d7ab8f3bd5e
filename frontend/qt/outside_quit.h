#pragma once
// Quits asked for from outside the window: the desktop logging the user out
// (Qt sends the application a Quit event), a kill or a closed
// terminal. Each shuts the window down as its close box does.

#include "frontend/qt/form.h"

namespace tolvane::qt {

// The form unloads before the application acts on a Quit event.
void unloadOnQuit(FormWidget& form);

// SIGTERM and SIGHUP become a Quit event on the window's thread; a signal
// ignored when the program started (nohup) stays ignored.
void quitOnStopSignals();

} // namespace tolvane::qt
