#include "frontend/win32/open_dialog.h"

#include "frontend/win32/text.h"

#include <commdlg.h>

namespace tolvane::win32 {

namespace {

// A text field: absent when empty.
const wchar_t* optional(const std::u16string& text) {
    return text.empty() ? nullptr : wide(text);
}

// A buffer of exactly size characters: the text, then NULs.
std::u16string buffer(const std::u16string& text, std::uint32_t size) {
    std::u16string filled = text.substr(0, size);
    filled.resize(size, u'\0');
    return filled;
}

} // namespace

bool FileDialog::getOpenFileName(OpenFileName& request) {
    std::u16string file = buffer(request.file, request.nMaxFile);
    std::u16string fileTitle = buffer(request.fileTitle, request.nMaxFileTitle);
    OPENFILENAMEW native{};
    native.lStructSize = sizeof native;
    native.hwndOwner = hwndOf(request.hwndOwner);
    native.lpstrFilter = optional(request.filter);
    native.nFilterIndex = static_cast<DWORD>(request.nFilterIndex);
    native.lpstrFile = reinterpret_cast<wchar_t*>(file.data());
    native.nMaxFile = static_cast<DWORD>(file.size());
    native.lpstrFileTitle = reinterpret_cast<wchar_t*>(fileTitle.data());
    native.nMaxFileTitle = static_cast<DWORD>(fileTitle.size());
    native.lpstrInitialDir = optional(request.initialDir);
    native.lpstrTitle = optional(request.title);
    native.lpstrDefExt = optional(request.defExt);
    native.Flags = request.flags;
    if (!::GetOpenFileNameW(&native)) return false;
    request.file = file;
    request.fileTitle = fileTitle;
    request.flags = native.Flags;
    request.nFilterIndex = static_cast<std::int32_t>(native.nFilterIndex);
    return true;
}

} // namespace tolvane::win32
