#pragma once
// Stand-ins for the desktop services: message boxes (answered OK), the
// clipboard, dropped data, the tray's system calls, the open-file dialog, and
// a window thread whose queued calls the test drains.

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/ui.h"

#include <algorithm>
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
    void check() const {
        if (failing) throw Error(kSystemError, u"剪贴板打不开");
    }
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
    void shellNotifyIcon(std::uint32_t operation, const NotifyIconData& data) override {
        usedOffThread |= std::this_thread::get_id() != windowThread_;
        shown = operation != kNimDelete && (shown || operation == kNimAdd);
        if ((data.uFlags & kNifIcon) != 0) icon = data.hIcon;
        const auto end = std::find(data.szTip.begin(), data.szTip.end(), 0);
        if ((data.uFlags & kNifTip) != 0)
            tip = decodeAnsi({data.szTip.data(), std::size_t(end - data.szTip.begin())});
    }
    WindowProc replaceWindowProc(WindowHandle window, WindowProc replacement) override {
        owner = window;
        return std::exchange(procedure, replacement);
    }
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
    bool getOpenFileName(OpenFileName& request) override {
        if (answer) request.file = *answer + std::u16string(request.nMaxFile, u'\0');
        return answer.has_value();
    }
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
    void processEvents() override {
        if (onProcessEvents) onProcessEvents();
        runQueued();
    }
    int screenWidth() const override { return kScreenWidth; }
    int screenHeight() const override { return kScreenHeight; }
    void postToWindowThread(std::function<void()> call) override {
        const std::lock_guard lock(queueMutex_);
        queue_.push_back(std::move(call));
    }
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
                    std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (runQueued(); !condition(); runQueued()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    // Set when the window used the desktop from a thread other than its own.
    bool usedOffThread = false;
    bool hasTray_ = true;
    std::function<void()> onProcessEvents; // runs before the queued calls
    std::vector<ShownMessage> messages;
    FakeClipboard clip;
    FakeOpenFileDialog dialog;
    FakeTrayCalls tray;

  private:
    void runQueued() {
        for (std::unique_lock lock(queueMutex_); !queue_.empty(); lock.lock()) {
            const std::function<void()> call = std::move(queue_.front());
            queue_.pop_front();
            lock.unlock();
            call();
        }
    }
    void noteThread() { usedOffThread |= std::this_thread::get_id() != windowThread_; }

    std::shared_ptr<Picture> idle_ = std::make_shared<FakePicture>(1);
    std::shared_ptr<Picture> busy_ = std::make_shared<FakePicture>(2);
    const std::thread::id windowThread_ = std::this_thread::get_id();
    std::mutex queueMutex_;
    std::deque<std::function<void()>> queue_;
};

} // namespace tolvane::fakes
