// tolvane.exe: the main window on the Windows desktop.

#include "app/gui/win32_wiring.h"
#include "support/places.h"
#include "window/layout.h"

#include <commctrl.h>
#include <ole2.h>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*arguments*/,
                    int /*show*/) {
    using namespace tolvane;
    // OLE for dropping files from Explorer on the list; common controls 6.
    ::OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    int exitCode = 0;
    {
        win32::Form form(主窗体设计());
        win32::Win32Desktop desktop(form);
        const ProgramSite site = currentSite();
        主窗体 window(gui::controlsOf(form), desktop, {settingsFolder(site), tableFolders(site)});
        gui::connectHandlers(form, window, desktop);
        gui::runHandler(desktop, [&window] { window.Form_Load(); });
        exitCode = win32::runMessageLoop(desktop);
    }
    ::OleUninitialize();
    return exitCode;
}
