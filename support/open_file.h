#pragma once
// The open-file dialog in one call: builds the request from simple arguments
// and turns the answer into a folder followed by the chosen names.

#include "platform/open_dialog.h"
#include "support/perl2.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tolvane {

inline constexpr WindowHandle kNoOwner = static_cast<WindowHandle>(-1);

// True when the user confirmed. 文件名 then is the list (folder, name, ...) when
// several files were chosen or 标志 has kOfnAllowMultiSelect, else the one
// path as text. Cancel or failure: false, 文件名, 文件标题 and 过滤器 empty,
// 过滤器序号 -1, 标志 0. 过滤器 holds "description|pattern" pairs joined by "|".
bool RunOpenDialog(OpenFileDialog& dialog, ListValue& 文件名, std::u16string& 文件标题,
                   bool 文件必须存在, bool 多选, bool& 只读, bool 隐藏只读, std::u16string& 过滤器,
                   std::int32_t& 过滤器序号, const std::u16string& 初始文件夹,
                   const std::u16string& 对话框标题, const std::u16string& 默认扩展名,
                   WindowHandle 所有者, std::uint32_t& 标志);

// The full paths of a multi-select answer (folder, name, ...), in its order.
std::vector<std::u16string> 选中的文件(const ListValue& 文件名);

} // namespace tolvane
