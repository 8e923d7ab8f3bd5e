#pragma once
// The program's two icons, drawn at run time: three arrows chasing each other
// round a circle, green when idle and red when busy.

#include <QColor>
#include <QIcon>
#include <initializer_list>

namespace tolvane::qt {

QIcon arrowsIcon(const QColor& colour, std::initializer_list<int> sizes);
QIcon idleArrowsIcon(); // green, 16 and 32 pixels
QIcon busyArrowsIcon(); // red, 16 pixels

} // namespace tolvane::qt
