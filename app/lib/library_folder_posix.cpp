#include "app/lib/library_folder.h"
#include "platform/utf8.h"
#include "tolvane.h"

#include <cstdlib>
#include <dlfcn.h>
#include <memory>

namespace tolvane::lib {

std::u16string libraryFolder() {
    Dl_info info{};
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): dladdr takes any address
    if (::dladdr(reinterpret_cast<void*>(&tolvane_version), &info) == 0 ||
        info.dli_fname == nullptr)
        return u".";
    const std::unique_ptr<char, decltype(&std::free)> file(::realpath(info.dli_fname, nullptr),
                                                           &std::free);
    const std::string path = file ? file.get() : info.dli_fname;
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return u".";
    return fromUtf8(path.substr(0, slash == 0 ? 1 : slash));
}

} // namespace tolvane::lib
