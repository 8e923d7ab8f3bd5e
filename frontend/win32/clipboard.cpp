#include "frontend/win32/clipboard.h"

#include "platform/error.h"

#include <cstring>

namespace tolvane::win32 {

namespace {

// Open while it lives. Another program may hold the clipboard for a moment,
// so opening is tried a few times before it counts as failed.
class OpenClipboard {
  public:
    explicit OpenClipboard(HWND owner) {
        for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
            open_ = ::OpenClipboard(owner) != 0;
            if (!open_) ::Sleep(20);
        }
        if (!open_) throw Error(kSystemError, u"剪贴板被其他程序占用，无法打开。");
    }
    ~OpenClipboard() { ::CloseClipboard(); }
    OpenClipboard(const OpenClipboard&) = delete;
    OpenClipboard& operator=(const OpenClipboard&) = delete;

  private:
    bool open_ = false;
};

} // namespace

bool SystemClipboard::hasText() const {
    return ::IsClipboardFormatAvailable(CF_UNICODETEXT) != 0;
}

std::u16string SystemClipboard::text() const {
    const OpenClipboard open(owner_);
    const HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (!data) return {};
    const auto* units = static_cast<const char16_t*>(::GlobalLock(data));
    if (!units) return {};
    // Up to the first NUL, and never past the block's end.
    const std::size_t capacity = ::GlobalSize(data) / sizeof(char16_t);
    std::size_t length = 0;
    while (length < capacity && units[length] != u'\0')
        ++length;
    std::u16string text(units, length);
    ::GlobalUnlock(data);
    return text;
}

void SystemClipboard::clear() {
    const OpenClipboard open(owner_);
    ::EmptyClipboard();
}

void SystemClipboard::setText(const std::u16string& text) {
    const OpenClipboard open(owner_);
    ::EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block) throw Error(kSystemError, u"内存不足，无法放入剪贴板。");
    std::memcpy(::GlobalLock(block), text.c_str(), bytes);
    ::GlobalUnlock(block);
    // The clipboard owns the block from here on.
    if (!::SetClipboardData(CF_UNICODETEXT, block)) {
        ::GlobalFree(block);
        throw Error(kSystemError, u"无法放入剪贴板。");
    }
}

} // namespace tolvane::win32
