#pragma once
// The program's icons as the tray and the window take them.

#include "platform/picture.h"

#include <memory>
#include <windows.h>

namespace tolvane::win32 {

// An icon handle; owned (destroyed with the picture) unless shared by the system.
class IconPicture : public Picture {
  public:
    IconPicture(HICON icon, bool owned) : icon_(icon), owned_(owned) {}
    ~IconPicture() override;
    IconPicture(const IconPicture&) = delete;
    IconPicture& operator=(const IconPicture&) = delete;

    int type() const override { return kIcon; }
    std::uintptr_t handle() const override { return reinterpret_cast<std::uintptr_t>(icon_); }

  private:
    HICON icon_;
    bool owned_;
};

// An icon of the program's resources, at the given size in pixels.
std::shared_ptr<Picture> resourceIcon(int id, int size);

} // namespace tolvane::win32
