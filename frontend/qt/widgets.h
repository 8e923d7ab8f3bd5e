#pragma once
// The Qt widgets that need more than their stock behaviour: the Start button's
// symbols, the file list's drops and horizontal extent, the clipboard box's
// double click. They only report; the window logic decides.

#include "platform/ui.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>

namespace tolvane::qt {

// Shows "4" as a right-pointing triangle (play) and "<" as a square (stop),
// the symbols these two characters are in the Webdings font; text() stays
// "4" or "<", which is how the window logic tells its busy state.
class SymbolButton : public QPushButton {
  public:
    using QPushButton::QPushButton;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// The source-file list: takes file drops and keeps a horizontal extent in
// pixels; wider than the view, it shows a horizontal scroll bar.
class FileList : public QListWidget {
  public:
    explicit FileList(QWidget* parent);

    void setHorizontalExtent(int pixels);

    // Each returns the drop effect: 1 copy, 0 refuse.
    std::function<int(const DropData&)> onDragOver;
    std::function<int(const DropData&)> onDrop;

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void updateGeometries() override;

  private:
    int extent_ = 0;
};

// The read-only clipboard preview, reporting double clicks.
class ClipboardView : public QPlainTextEdit {
  public:
    explicit ClipboardView(QWidget* parent);

    std::function<void()> onDoubleClick;

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace tolvane::qt
