#pragma once
// Resource numbers shared by the resource script and the front-end. The first
// icon is the one the shell shows for the program.

#define TOLVANE_IDLE_ICON 1
#define TOLVANE_BUSY_ICON 2
