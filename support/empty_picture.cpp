// The empty picture: what the tray shows when no icon was ever given.

#include "platform/picture.h"

namespace tolvane {

namespace {

class EmptyPicture : public Picture {
  public:
    int type() const override { return kNone; }
    std::uintptr_t handle() const override { return 0; }
};

} // namespace

std::shared_ptr<Picture> emptyPicture() {
    return std::make_shared<EmptyPicture>();
}

} // namespace tolvane
