#pragma once
// Stand-ins for the desktop services: message boxes (answered OK), the
// clipboard, dropped data, the tray's system calls, the open-file dialog, and
// a window thread whose queued calls the test drains.

#include "platform/ui.h"

#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace tolvane::fakes {

struct FakePicture : Picture {
    explicit FakePicture(std::uintptr_t handle) : handle_(handle) {}
    int type() const override { return kIcon; }
    std::uintptr_t handle() const override { return handle_; }
    std::uintptr_t handle_;
};

// Holds a text, or nothing (a picture only); fails every call when told to.
struct FakeClipboard : Clipboard {
    bool hasText() const override { return check(), text_.has_value(); }
    std::u16string text() const override { return check(), text_.value_or(u""); }
    void clear() override { check(), text_.reset(); }
    void setText(const std::u16string& text) override { check(), text_ = text; }
    void check() const;
    std::optional<std::u16string> text_;
    bool failing = false;
};

struct FakeDropData : DropData {
    FakeDropData(bool fileList, std::vector<std::u16string> files)
        : fileList_(fileList), files_(std::move(files)) {}
    bool hasFileList() const override { return fileList_; }
    std::vector<std::u16string> files() const override { return files_; }
    bool fileList_;
    std::vector<std::u16string> files_;
};

// The notification area's icon and tip, and the owner's window procedure
// through which a mouse notification (0x202 left up, 0x205 right up) arrives.
struct FakeTrayCalls : TrayCalls {
    void shellNotifyIcon(std::uint32_t operation, const NotifyIconData& data) override;
    WindowProc replaceWindowProc(WindowHandle window, WindowProc procedure) override;
    // The window's own procedure has nothing to hand on to here.
    std::intptr_t callWindowProc(WindowProc, WindowHandle, std::uint32_t, std::uintptr_t,
                                 std::intptr_t) override {
        return 0;
    }
    void mouse(std::int32_t notification) { procedure(owner, kTrayMessage, 0, notification); }

    bool shown = false;
    std::uintptr_t icon = 0;
    std::u16string tip;
    WindowHandle owner = 0;
    WindowProc procedure = nullptr;
    // Set when the icon was changed from a thread other than the window's.
    bool usedOffThread = false;

  private:
    const std::thread::id windowThread_ = std::this_thread::get_id();
};

// Answers with the block (NULs included); none: the user cancels.
struct FakeOpenFileDialog : OpenFileDialog {
    bool getOpenFileName(OpenFileName& request) override;
    std::optional<std::u16string> answer;
};

struct ShownMessage {
    std::u16string title;
    std::u16string text;
};

class FakeDesktop : public Desktop {
  public:
    static constexpr int kScreenWidth = 15360;
    static constexpr int kScreenHeight = 11520;

    MessageAnswer messageBox(const std::u16string& title, const std::u16string& text, MessageIcon,
                             MessageButtons) override {
        noteThread();
        messages.push_back({title, text});
        return MessageAnswer::Ok;
    }
    void processEvents() override;
    int screenWidth() const override { return kScreenWidth; }
    int screenHeight() const override { return kScreenHeight; }
    void postToWindowThread(std::function<void()> call) override;
    bool hasTray() const override { return hasTray_; }
    Clipboard& clipboard() override {
        noteThread();
        return clip;
    }
    OpenFileDialog& openFileDialog() override { return dialog; }
    TrayCalls& trayCalls() override { return tray; }
    std::shared_ptr<Picture> idleIcon() const override { return idle_; }
    std::shared_ptr<Picture> busyIcon() const override { return busy_; }

    // Runs the queued calls until the condition holds; false on timeout.
    bool drainUntil(const std::function<bool()>& condition,
                    std::chrono::milliseconds timeout = std::chrono::seconds(20));

    // Set when the window used the desktop from a thread other than its own.
    bool usedOffThread = false;
    bool hasTray_ = true;
    std::function<void()> onProcessEvents; // runs before the queued calls
    std::vector<ShownMessage> messages;
    FakeClipboard clip;
    FakeOpenFileDialog dialog;
    FakeTrayCalls tray;

  private:
    void runQueued();
    void noteThread() { usedOffThread |= std::this_thread::get_id() != windowThread_; }

    std::shared_ptr<Picture> idle_ = std::make_shared<FakePicture>(1);
    std::shared_ptr<Picture> busy_ = std::make_shared<FakePicture>(2);
    const std::thread::id windowThread_ = std::this_thread::get_id();
    std::mutex queueMutex_;
    std::deque<std::function<void()>> queue_;
};

} // namespace tolvane::fakes
