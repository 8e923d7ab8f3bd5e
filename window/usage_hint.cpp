#include "window/usage_hint.h"

#include <array>

namespace tolvane {

namespace {

// The breaks fall at fixed widths, inside words, as the text was laid out.
constexpr std::array<const char16_t*, 12> kLines = {
    u"                      使用提示",
    u"",
    u"    用打开对话框打开多个文件时，因为限制于预分配内存的",
    u"大小，选择文件太多时可能出现不允许打开的情况，本软件分",
    u"配的打开文件内存的大小是 4096 个字节，以 20 个字节一个",
    u"文件计每一次使用打开对话框大约可以打开 200 个文件。",
    u"",
    u"    所以如果想一次加入很多文件的话，使用打开对话框并不",
    u"是一个好的选择。我的建议是使用拖放操作。可以从文件浏览",
    u"器、资源管理器或者查找对话框里托放所有选择文件到本软件",
    u"的文件列表框里。如果希望转换包括子目录内的所有某类型文",
    u"件的话，查找对话框应该是第一选择。",
};

constexpr const char16_t* kOnceClosing = u"\r\n\r\n\r\n                 【本提示只出现一次】";

} // namespace

std::u16string 使用提示文本(bool 只出现一次) {
    std::u16string text;
    for (std::size_t i = 0; i < kLines.size(); ++i) {
        if (i > 0) text += u"\r\n";
        text += kLines[i];
    }
    if (只出现一次) text += kOnceClosing;
    return text;
}

} // namespace tolvane
