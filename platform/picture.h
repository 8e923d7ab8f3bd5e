#pragma once
// A picture as the tray needs it: whether it is an icon, and the native handle
// the notification area shows.

#include <cstdint>
#include <memory>

namespace tolvane {

// A native window handle as the system hands it out.
using WindowHandle = std::uintptr_t;

class Picture {
  public:
    static constexpr int kNone = 0;
    static constexpr int kBitmap = 1;
    static constexpr int kIcon = 3;

    virtual ~Picture() = default;
    virtual int type() const = 0;
    virtual std::uintptr_t handle() const = 0;
};

// A picture with type kNone and handle 0; needs no toolkit.
std::shared_ptr<Picture> emptyPicture();

} // namespace tolvane
