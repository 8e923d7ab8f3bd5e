#include "frontend/win32/picture.h"

namespace tolvane::win32 {

IconPicture::~IconPicture() {
    if (owned_ && icon_) ::DestroyIcon(icon_);
}

std::shared_ptr<Picture> resourceIcon(int id, int size) {
    const auto icon = static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
    return std::make_shared<IconPicture>(icon, true);
}

} // namespace tolvane::win32
