#include "fake_desktop.h"

#include "platform/codepage.h"
#include "platform/error.h"

#include <algorithm>
#include <thread>

namespace tolvane::fakes {

void FakeClipboard::check() const {
    if (failing) throw Error(kSystemError, u"剪贴板打不开");
}

void FakeTrayCalls::shellNotifyIcon(std::uint32_t operation, const NotifyIconData& data) {
    usedOffThread |= std::this_thread::get_id() != windowThread_;
    shown = operation != kNimDelete && (shown || operation == kNimAdd);
    if ((data.uFlags & kNifIcon) != 0) icon = data.hIcon;
    const auto end = std::find(data.szTip.begin(), data.szTip.end(), 0);
    if ((data.uFlags & kNifTip) != 0)
        tip = decodeAnsi({data.szTip.data(), std::size_t(end - data.szTip.begin())});
}

WindowProc FakeTrayCalls::replaceWindowProc(WindowHandle window, WindowProc replacement) {
    owner = window;
    return std::exchange(procedure, replacement);
}

bool FakeOpenFileDialog::getOpenFileName(OpenFileName& request) {
    if (answer) request.file = *answer + std::u16string(request.nMaxFile, u'\0');
    return answer.has_value();
}

void FakeDesktop::processEvents() {
    if (onProcessEvents) onProcessEvents();
    runQueued();
}

void FakeDesktop::postToWindowThread(std::function<void()> call) {
    const std::lock_guard lock(queueMutex_);
    queue_.push_back(std::move(call));
}

void FakeDesktop::runQueued() {
    for (std::unique_lock lock(queueMutex_); !queue_.empty(); lock.lock()) {
        const std::function<void()> call = std::move(queue_.front());
        queue_.pop_front();
        lock.unlock();
        call();
    }
}

bool FakeDesktop::drainUntil(const std::function<bool()>& condition,
                             std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (runQueued(); !condition(); runQueued()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace tolvane::fakes
