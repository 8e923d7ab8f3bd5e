#pragma once
// State-keeping stand-ins for the desktop services: message boxes (answered
// OK), the clipboard, dropped data, the tray's system calls, the
// open-file dialog, and a window thread whose queued calls the test drains.

#include "platform/ui.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tolvane::fakes {

struct FakePicture : Picture {
    explicit FakePicture(std::uintptr_t handle) : handle_(handle) {}
    int type() const override { return kIcon; }
    std::uintptr_t handle() const override { return handle_; }
    std::uintptr_t handle_;
};

class FakeClipboard : public Clipboard {
  public:
    bool hasText() const override {
        check();
        return text_.has_value();
    }
    std::u16string text() const override {
        check();
        return text_.value_or(u"");
    }
    void clear() override {
        check();
        text_.reset();
    }
    void setText(const std::u16string& text) override {
        check();
        text_ = text;
    }

    void holdPictureOnly() { text_.reset(); }
    void failToOpen(bool fail) { failing_ = fail; }

  private:
    void check() const;

    std::optional<std::u16string> text_;
    bool failing_ = false;
};

struct FakeDropData : DropData {
    FakeDropData(bool fileList, std::vector<std::u16string> files)
        : fileList_(fileList), files_(std::move(files)) {}
    bool hasFileList() const override { return fileList_; }
    std::vector<std::u16string> files() const override { return files_; }
    bool fileList_;
    std::vector<std::u16string> files_;
};

// The notification area: which icon and tip it shows, and the owner window's
// procedure, through which a mouse notification reaches the program.
class FakeTrayCalls : public TrayCalls {
  public:
    void shellNotifyIcon(std::uint32_t operation, const NotifyIconData& data) override;
    WindowProc replaceWindowProc(WindowHandle window, WindowProc procedure) override;
    std::intptr_t callWindowProc(WindowProc previous, WindowHandle window, std::uint32_t message,
                                 std::uintptr_t wParam, std::intptr_t lParam) override;

    bool iconShown() const { return shown_; }
    std::uintptr_t shownIcon() const { return icon_; }
    std::u16string shownTip() const { return tip_; }
    // A mouse notification (0x202 left up, 0x205 right up) as the shell sends it.
    void mouse(std::int32_t notification);

  private:
    bool shown_ = false;
    std::uintptr_t icon_ = 0;
    std::u16string tip_;
    WindowHandle owner_ = 0;
    WindowProc procedure_ = [](WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) {
        return std::intptr_t{0};
    };
};

class FakeOpenFileDialog : public OpenFileDialog {
  public:
    bool getOpenFileName(OpenFileName& request) override;

    // The answer block, NULs included; none: the user cancels.
    void answer(std::optional<std::u16string> block) { answer_ = std::move(block); }
    bool opened() const { return opened_; }

  private:
    std::optional<std::u16string> answer_;
    bool opened_ = false;
};

struct ShownMessage {
    std::u16string title;
    std::u16string text;
};

class FakeDesktop : public Desktop {
  public:
    static constexpr int kScreenWidth = 15360;
    static constexpr int kScreenHeight = 11520;

    MessageAnswer messageBox(const std::u16string& title, const std::u16string& text,
                             MessageIcon icon, MessageButtons buttons) override;
    void processEvents() override;
    int screenWidth() const override { return kScreenWidth; }
    int screenHeight() const override { return kScreenHeight; }
    void postToWindowThread(std::function<void()> call) override;
    bool hasTray() const override { return hasTray_; }
    Clipboard& clipboard() override { return clipboard_; }
    OpenFileDialog& openFileDialog() override { return dialog_; }
    TrayCalls& trayCalls() override { return tray_; }
    std::shared_ptr<Picture> idleIcon() const override { return idle_; }
    std::shared_ptr<Picture> busyIcon() const override { return busy_; }

    // Runs the queued calls until the condition holds; false on timeout.
    bool drainUntil(const std::function<bool()>& condition,
                    std::chrono::milliseconds timeout = std::chrono::seconds(20));

    void withoutTray() { hasTray_ = false; }
    // Runs at every processEvents, before the queued calls.
    void onProcessEvents(std::function<void()> hook) { pumpHook_ = std::move(hook); }

    const std::vector<ShownMessage>& messages() const { return messages_; }
    FakeClipboard& fakeClipboard() { return clipboard_; }
    FakeOpenFileDialog& fakeDialog() { return dialog_; }
    FakeTrayCalls& fakeTray() { return tray_; }

  private:
    void runQueued();

    std::vector<ShownMessage> messages_;
    std::function<void()> pumpHook_;
    bool hasTray_ = true;
    FakeClipboard clipboard_;
    FakeOpenFileDialog dialog_;
    FakeTrayCalls tray_;
    std::shared_ptr<Picture> idle_ = std::make_shared<FakePicture>(1);
    std::shared_ptr<Picture> busy_ = std::make_shared<FakePicture>(2);

    std::mutex queueMutex_;
    std::condition_variable queued_;
    std::deque<std::function<void()>> queue_;
};

} // namespace tolvane::fakes
