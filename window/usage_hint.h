#pragma once
// The hint shown before the open-file dialog: why dropping files beats the dialog.

#include <string>

namespace tolvane {

// The hint's lines joined by CR LF; 只出现一次 adds the closing line that says
// it will not be shown again.
std::u16string 使用提示文本(bool 只出现一次);

} // namespace tolvane
