#include "frontend/qt/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <numbers>

namespace tolvane::qt {

namespace {

constexpr int kArrows = 3;
constexpr double kArcDegrees = 80.0;

QPointF onCircle(QPointF centre, double radius, double degrees) {
    const double rad = degrees * std::numbers::pi / 180.0;
    return centre + QPointF(radius * std::cos(rad), -radius * std::sin(rad));
}

// One arrow: an arc along the circle, running clockwise, with a head at its end.
void drawArrow(QPainter& painter, QPointF centre, double radius, double startDegrees,
               double width) {
    const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath arc;
    arc.arcMoveTo(circle, startDegrees);
    arc.arcTo(circle, startDegrees, -kArcDegrees);
    painter.strokePath(arc, QPen(painter.brush(), width, Qt::SolidLine, Qt::FlatCap));

    const double tip = startDegrees - kArcDegrees - 25.0;
    const double base = startDegrees - kArcDegrees;
    QPainterPath head;
    head.moveTo(onCircle(centre, radius - width, base));
    head.lineTo(onCircle(centre, radius + width, base));
    head.lineTo(onCircle(centre, radius, tip));
    head.closeSubpath();
    painter.fillPath(head, painter.brush());
}

QPixmap arrowsPixmap(const QColor& colour, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    const QPointF centre(size / 2.0, size / 2.0);
    const double width = size / 7.0;
    const double radius = size / 2.0 - width * 1.1;
    for (int i = 0; i < kArrows; ++i)
        drawArrow(painter, centre, radius, 90.0 - i * 360.0 / kArrows, width);
    return pixmap;
}

} // namespace

QIcon arrowsIcon(const QColor& colour, std::initializer_list<int> sizes) {
    QIcon icon;
    for (int size : sizes)
        icon.addPixmap(arrowsPixmap(colour, size));
    return icon;
}

QIcon idleArrowsIcon() {
    return arrowsIcon(QColor(0, 160, 0), {16, 32});
}

QIcon busyArrowsIcon() {
    return arrowsIcon(QColor(210, 0, 0), {16});
}

} // namespace tolvane::qt
