#include "fake_desktop.h"

#include "platform/codepage.h"
#include "platform/error.h"

#include <algorithm>

namespace tolvane::fakes {

void FakeClipboard::check() const {
    if (failing_) throw Error(kSystemError, u"剪贴板打不开");
}

void FakeTrayCalls::shellNotifyIcon(std::uint32_t operation, const NotifyIconData& data) {
    if (operation == kNimDelete) {
        shown_ = false;
        return;
    }
    if (operation == kNimAdd) shown_ = true;
    if ((data.uFlags & kNifIcon) != 0) icon_ = data.hIcon;
    if ((data.uFlags & kNifTip) != 0) {
        const auto end = std::find(data.szTip.begin(), data.szTip.end(), 0);
        tip_ = decodeAnsi({data.szTip.data(), static_cast<std::size_t>(end - data.szTip.begin())});
    }
}

WindowProc FakeTrayCalls::replaceWindowProc(WindowHandle window, WindowProc procedure) {
    owner_ = window;
    return std::exchange(procedure_, procedure);
}

std::intptr_t FakeTrayCalls::callWindowProc(WindowProc previous, WindowHandle window,
                                            std::uint32_t message, std::uintptr_t wParam,
                                            std::intptr_t lParam) {
    return previous == nullptr ? 0 : previous(window, message, wParam, lParam);
}

void FakeTrayCalls::mouse(std::int32_t notification) {
    procedure_(owner_, kTrayMessage, 0, notification);
}

bool FakeOpenFileDialog::getOpenFileName(OpenFileName& request) {
    opened_ = true;
    if (!answer_) return false;
    request.file = *answer_;
    request.file.resize(std::max<std::size_t>(request.nMaxFile, answer_->size() + 2), u'\0');
    return true;
}

MessageAnswer FakeDesktop::messageBox(const std::u16string& title, const std::u16string& text,
                                      MessageIcon, MessageButtons) {
    messages_.push_back({title, text});
    return MessageAnswer::Ok;
}

void FakeDesktop::processEvents() {
    if (pumpHook_) pumpHook_();
    runQueued();
}

void FakeDesktop::postToWindowThread(std::function<void()> call) {
    {
        const std::lock_guard lock(queueMutex_);
        queue_.push_back(std::move(call));
    }
    queued_.notify_all();
}

void FakeDesktop::runQueued() {
    for (;;) {
        std::function<void()> call;
        {
            const std::lock_guard lock(queueMutex_);
            if (queue_.empty()) return;
            call = std::move(queue_.front());
            queue_.pop_front();
        }
        call();
    }
}

bool FakeDesktop::drainUntil(const std::function<bool()>& condition,
                             std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        runQueued();
        if (condition()) return true;
        std::unique_lock lock(queueMutex_);
        if (queued_.wait_until(lock, deadline, [this] { return !queue_.empty(); })) continue;
        lock.unlock();
        runQueued();
        return condition();
    }
}

} // namespace tolvane::fakes
