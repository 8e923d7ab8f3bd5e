#pragma once
// Plain text on the system clipboard through QClipboard.

#include "platform/ui.h"

namespace tolvane::qt {

class SystemClipboard : public Clipboard {
  public:
    bool hasText() const override;
    std::u16string text() const override;
    void clear() override;
    void setText(const std::u16string& text) override;
};

} // namespace tolvane::qt
