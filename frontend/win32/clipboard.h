#pragma once
// The system clipboard's Unicode text.

#include "platform/ui.h"

#include <windows.h>

namespace tolvane::win32 {

class SystemClipboard : public Clipboard {
  public:
    // owner: the window that owns what the program puts on the clipboard.
    explicit SystemClipboard(HWND owner) : owner_(owner) {}

    bool hasText() const override;
    std::u16string text() const override;
    void clear() override;
    void setText(const std::u16string& text) override;

  private:
    HWND owner_;
};

} // namespace tolvane::win32
