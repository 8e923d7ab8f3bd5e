#include "app/lib/library_folder.h"
#include "tolvane.h"

#include <vector>
#include <windows.h>

namespace tolvane::lib {

std::u16string libraryFolder() {
    HMODULE module = nullptr;
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): the call takes an address as a
    // name
    const auto address = reinterpret_cast<LPCWSTR>(&tolvane_version);
    if (::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                 GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             address, &module) == 0)
        return u".";
    std::vector<wchar_t> name(32768);
    const DWORD length = ::GetModuleFileNameW(module, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0 || length >= name.size()) return u".";
    const std::u16string path(name.begin(), name.begin() + length);
    const std::size_t separator = path.find_last_of(u"\\/");
    return separator == std::u16string::npos ? u"." : path.substr(0, separator);
}

} // namespace tolvane::lib
