// RunOpenDialog: the open-file dialog's request built from simple arguments,
// and its answer taken apart into a folder and names.

#include "support/open_file.h"

#include "platform/files.h"

namespace tolvane {

namespace {

constexpr std::uint32_t kSingleFileBuffer = 260;
constexpr std::uint32_t kMultiFileBuffer = 4096;
constexpr std::uint32_t kFileTitleBuffer = 260;

// "|" and ":" separate the entries; the list ends with two NULs.
std::u16string dialogFilter(const std::u16string& filter) {
    std::u16string converted = filter;
    for (char16_t& c : converted)
        if (c == u'|' || c == u':') c = u'\0';
    return converted + std::u16string(2, u'\0');
}

// The text cut to leave room for at least one NUL, then NULs to length.
std::u16string nulPadded(const std::u16string& text, std::uint32_t length) {
    std::u16string buffer = text.substr(0, length - 1);
    buffer.resize(length, u'\0');
    return buffer;
}

std::uint32_t dialogFlags(bool mustExist, bool multiSelect, bool readOnly, bool hideReadOnly,
                          std::uint32_t flags) {
    if (mustExist) flags |= kOfnFileMustExist;
    if (multiSelect) flags |= kOfnAllowMultiSelect;
    if (readOnly) flags |= kOfnReadOnly;
    if (hideReadOnly) flags |= kOfnHideReadOnly;
    return flags;
}

// One path becomes (folder, name), the shape several chosen files have. A
// file in the root keeps the root as its folder.
ListValue folderAndName(const ListValue& path) {
    const std::u16string separator(1, kPathSeparator);
    ListValue components = Split(separator, path, 0);
    const ListValue name = Pop(components);
    ListValue folder = Join(separator, components);
    if (folder.text().empty() && path.text().starts_with(kPathSeparator)) folder = separator;
    ListValue result;
    Push(result, name);
    Unshift(result, folder);
    return result;
}

ListValue chosenFiles(const std::u16string& answer, bool multi) {
    const ListValue first = Split(std::u16string(2, u'\0'), answer, 2)[0];
    ListValue parts = Split(std::u16string(1, u'\0'), first, -1);
    if (ElementCount(parts) > 1) return parts;
    return multi ? folderAndName(parts[0]) : parts[0];
}

} // namespace

bool RunOpenDialog(OpenFileDialog& dialog, ListValue& 文件名, std::u16string& 文件标题,
                   bool 文件必须存在, bool 多选, bool& 只读, bool 隐藏只读, std::u16string& 过滤器,
                   std::int32_t& 过滤器序号, const std::u16string& 初始文件夹,
                   const std::u16string& 对话框标题, const std::u16string& 默认扩展名,
                   WindowHandle 所有者, std::uint32_t& 标志) {
    // Only the caller's flags word decides the buffer and the splitting of
    // one path; the 多选 switch only asks the dialog for several files.
    const bool multi = (标志 & kOfnAllowMultiSelect) != 0;
    OpenFileName request;
    request.hwndOwner = 所有者 == kNoOwner ? 0 : 所有者;
    request.filter = dialogFilter(过滤器);
    request.nFilterIndex = 过滤器序号;
    request.nMaxFile = multi ? kMultiFileBuffer : kSingleFileBuffer;
    request.file = nulPadded(文件名.text(), request.nMaxFile);
    request.fileTitle = nulPadded(文件标题, kFileTitleBuffer);
    request.nMaxFileTitle = kFileTitleBuffer;
    request.initialDir = 初始文件夹;
    request.title = 对话框标题;
    request.defExt = 默认扩展名;
    request.flags = dialogFlags(文件必须存在, 多选, 只读, 隐藏只读, 标志);

    if (!dialog.getOpenFileName(request)) {
        文件名 = ListValue(u"");
        文件标题.clear();
        标志 = 0;
        过滤器序号 = -1;
        过滤器.clear();
        return false;
    }
    文件名 = chosenFiles(request.file, multi);
    文件标题 = request.fileTitle.substr(0, request.fileTitle.find(u'\0'));
    标志 = request.flags;
    过滤器序号 = request.nFilterIndex;
    if ((request.flags & kOfnReadOnly) != 0) 只读 = true;
    return true;
}

std::vector<std::u16string> 选中的文件(const ListValue& 文件名) {
    std::vector<std::u16string> paths;
    const std::u16string folder = 文件名[0].text();
    for (std::int32_t i = 1; i <= 文件名.upperBound(); ++i) {
        const std::u16string name = 文件名[i].text();
        if (!name.empty()) paths.push_back(joinPath(folder, name));
    }
    return paths;
}

} // namespace tolvane
