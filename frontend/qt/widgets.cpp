#include "frontend/qt/widgets.h"

#include "frontend/qt/drop.h"

#include <QDropEvent>
#include <QPolygonF>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace tolvane::qt {

namespace {

void paintSymbol(QPainter& painter, const QRectF& area, const QString& caption) {
    const double side = std::min(area.width(), area.height()) * 0.5;
    const QRectF box(area.center().x() - side / 2, area.center().y() - side / 2, side, side);
    if (caption == QLatin1String("4")) {
        painter.drawPolygon(
            QPolygonF({box.topLeft(), QPointF(box.right(), box.center().y()), box.bottomLeft()}));
    } else if (caption == QLatin1String("<")) {
        painter.drawRect(box);
    } else {
        painter.drawText(area, Qt::AlignCenter, caption);
    }
}

// A drop event's effect as Qt wants it: copy, or refused.
template <class Event> void answer(Event* event, int effect) {
    if (effect == 0) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

template <class Event>
void forwardDrag(Event* event, const std::function<int(const DropData&)>& handler) {
    const MimeDropData data(*event->mimeData());
    answer(event, handler ? handler(data) : 0);
}

} // namespace

void SymbolButton::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QColor ink =
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    paintSymbol(painter, QRectF(rect()), text());
}

FileList::FileList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTextElideMode(Qt::ElideNone);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
}

void FileList::setHorizontalExtent(int pixels) {
    extent_ = std::clamp(pixels, 0, kMaxListExtent);
    updateGeometries();
}

// The view would size its scroll bar from the entries; the window logic's
// extent decides instead, so that the scroll range is the same on every system.
void FileList::updateGeometries() {
    QListWidget::updateGeometries();
    const int hidden = std::max(0, extent_ - viewport()->width());
    horizontalScrollBar()->setRange(0, hidden);
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void FileList::dragEnterEvent(QDragEnterEvent* event) {
    forwardDrag(event, onDragOver);
}

void FileList::dragMoveEvent(QDragMoveEvent* event) {
    forwardDrag(event, onDragOver);
}

void FileList::dropEvent(QDropEvent* event) {
    forwardDrag(event, onDrop);
}

ClipboardView::ClipboardView(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Button));
    setPalette(colours);
}

void ClipboardView::mouseDoubleClickEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseDoubleClickEvent(event);
    if (onDoubleClick) onDoubleClick();
}

} // namespace tolvane::qt
