#pragma once
// The desktop services of the window logic over Qt: message boxes, the event
// pump, the screen, calls carried to the window's thread, the clipboard, the
// open-file dialog, the tray and the two icons.

#include "frontend/qt/clipboard.h"
#include "frontend/qt/open_dialog.h"
#include "frontend/qt/tray.h"
#include "platform/ui.h"

#include <QObject>
#include <QWidget>
#include <memory>
#include <mutex>

namespace tolvane::qt {

class QtDesktop : public Desktop {
  public:
    // owner: the main window, parent of the dialogs while it is shown.
    explicit QtDesktop(QWidget& owner);
    ~QtDesktop() override;
    QtDesktop(const QtDesktop&) = delete;
    QtDesktop& operator=(const QtDesktop&) = delete;

    MessageAnswer messageBox(const std::u16string& title, const std::u16string& text,
                             MessageIcon icon, MessageButtons buttons) override;
    void processEvents() override;
    int screenWidth() const override;
    int screenHeight() const override;
    void postToWindowThread(std::function<void()> call) override;
    bool hasTray() const override;
    Clipboard& clipboard() override { return clipboard_; }
    OpenFileDialog& openFileDialog() override { return dialog_; }
    TrayCalls& trayCalls() override { return tray_; }
    std::shared_ptr<Picture> idleIcon() const override { return idleIcon_; }
    std::shared_ptr<Picture> busyIcon() const override { return busyIcon_; }

  private:
    QWidget& owner_;
    SystemClipboard clipboard_;
    FileDialog dialog_;
    SystemTrayCalls tray_;
    std::shared_ptr<Picture> idleIcon_;
    std::shared_ptr<Picture> busyIcon_;
    // Posted calls run in this object's context; they die with it.
    QObject postTarget_;
    std::mutex postMutex_;
    bool accepting_ = true;
};

} // namespace tolvane::qt
