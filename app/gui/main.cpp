// tolvane: the main window on the Linux desktop.

#include "app/gui/wiring.h"
#include "frontend/qt/icons.h"
#include "frontend/qt/outside_quit.h"
#include "support/places.h"
#include "window/layout.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    using namespace tolvane;
    QApplication app(argc, argv);
    // While the window sits in the tray, closing a message box must not end
    // the program: only the window's own close does.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(qt::idleArrowsIcon());

    qt::Form form(主窗体设计());
    qt::QtDesktop desktop(form.widget());
    const ProgramSite site = currentSite();
    主窗体 window(gui::controlsOf(form), desktop, {settingsFolder(site), tableFolders(site)});
    gui::connectHandlers(form, window, desktop);
    qt::quitOnStopSignals();
    gui::runHandler(desktop, [&window] { window.Form_Load(); });
    return QApplication::exec();
}
