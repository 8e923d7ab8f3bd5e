#pragma once
// A picture that is an icon (type 3). Its handle is an id this layer hands
// out, so that code outside it can pass the icon around as a number and the
// tray and the window can turn the number back into the QIcon.

#include "platform/picture.h"

#include <QIcon>
#include <cstdint>
#include <memory>

namespace tolvane::qt {

std::shared_ptr<Picture> makeIconPicture(const QIcon& icon);

// The icon of a live picture; a null QIcon for 0 or an unknown handle.
QIcon iconOfHandle(std::uintptr_t handle);

} // namespace tolvane::qt
