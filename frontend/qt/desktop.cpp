#include "frontend/qt/desktop.h"

#include "frontend/qt/icons.h"
#include "frontend/qt/picture.h"
#include "frontend/qt/text.h"
#include "window/layout.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

namespace tolvane::qt {

QtDesktop::QtDesktop(QWidget& owner)
    : owner_(owner), dialog_(&owner), idleIcon_(makeIconPicture(idleArrowsIcon())),
      busyIcon_(makeIconPicture(busyArrowsIcon())) {}

QtDesktop::~QtDesktop() {
    const std::lock_guard lock(postMutex_);
    accepting_ = false;
}

MessageAnswer QtDesktop::messageBox(const std::u16string& title, const std::u16string& text,
                                    MessageIcon icon, MessageButtons buttons) {
    // A hidden window (in the tray) cannot carry the box.
    QMessageBox box(icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::NoIcon,
                    toQString(title), toQString(text),
                    buttons == MessageButtons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                                        : QMessageBox::Ok,
                    owner_.isVisible() ? &owner_ : nullptr);
    box.setEscapeButton(buttons == MessageButtons::OkCancel ? QMessageBox::Cancel
                                                            : QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void QtDesktop::processEvents() {
    QCoreApplication::processEvents();
}

int QtDesktop::screenWidth() const {
    return twipsOf(QGuiApplication::primaryScreen()->geometry().width());
}

int QtDesktop::screenHeight() const {
    return twipsOf(QGuiApplication::primaryScreen()->geometry().height());
}

void QtDesktop::postToWindowThread(std::function<void()> call) {
    const std::lock_guard lock(postMutex_);
    if (accepting_) QMetaObject::invokeMethod(&postTarget_, std::move(call), Qt::QueuedConnection);
}

bool QtDesktop::hasTray() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

} // namespace tolvane::qt
