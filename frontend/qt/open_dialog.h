#pragma once
// The open-file dialog over QFileDialog, answering in the block the caller
// parses: "folder NUL name NUL name NUL NUL", or "path NUL NUL" for one file.

#include "platform/open_dialog.h"

#include <QStringList>
#include <QWidget>

namespace tolvane::qt {

class FileDialog : public OpenFileDialog {
  public:
    explicit FileDialog(QWidget* owner) : owner_(owner) {}

    bool getOpenFileName(OpenFileName& request) override;

  private:
    QWidget* owner_;
};

// "description NUL pattern NUL ... NUL" as Qt name filters; Windows' "*.*"
// means every file, and ";" separates patterns.
QStringList nameFilters(const std::u16string& filter);

// The answer block for the chosen files (all of one dialog, so mostly in one
// folder; a name is relative to the first file's folder otherwise).
std::u16string answerBlock(const QStringList& files);

} // namespace tolvane::qt
