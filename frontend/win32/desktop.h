#pragma once
// The desktop services of the window logic over Win32: message boxes, the
// message pump, the screen, calls carried to the window's thread by a posted
// private message, the clipboard, the open-file dialog, the tray and the two
// icons of the program's resources.

#include "frontend/win32/clipboard.h"
#include "frontend/win32/form.h"
#include "frontend/win32/open_dialog.h"
#include "frontend/win32/tray.h"
#include "platform/ui.h"

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <windows.h>

namespace tolvane::win32 {

class Win32Desktop : public Desktop {
  public:
    // Takes over the form's posted-call, destroy and taskbar notifications.
    explicit Win32Desktop(Form& form);
    ~Win32Desktop() override;
    Win32Desktop(const Win32Desktop&) = delete;
    Win32Desktop& operator=(const Win32Desktop&) = delete;

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

    // Hands a message to the window's keyboard navigation or its procedure.
    void dispatch(MSG& message);

  private:
    void runPosted();
    void stopAccepting();

    Form& form_;
    SystemClipboard clipboard_;
    FileDialog dialog_;
    ShellTrayCalls tray_;
    std::shared_ptr<Picture> idleIcon_;
    std::shared_ptr<Picture> busyIcon_;
    std::mutex postMutex_;
    std::deque<std::function<void()>> posted_;
    bool accepting_ = true;
};

// The message loop of the window's thread, until the window is gone.
int runMessageLoop(Win32Desktop& desktop);

} // namespace tolvane::win32
