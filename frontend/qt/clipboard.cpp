#include "frontend/qt/clipboard.h"

#include "frontend/qt/text.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace tolvane::qt {

bool SystemClipboard::hasText() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    return data && data->hasText();
}

std::u16string SystemClipboard::text() const {
    return toU16(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
}

void SystemClipboard::clear() {
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}

void SystemClipboard::setText(const std::u16string& text) {
    QGuiApplication::clipboard()->setText(toQString(text), QClipboard::Clipboard);
}

} // namespace tolvane::qt
