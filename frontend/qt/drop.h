#pragma once
// What is dragged over the file list, as the window logic sees it: a file
// list exactly when every dragged URI names a local file.

#include "platform/ui.h"

#include <QMimeData>

namespace tolvane::qt {

class MimeDropData : public DropData {
  public:
    explicit MimeDropData(const QMimeData& data) : data_(data) {}

    bool hasFileList() const override;
    std::vector<std::u16string> files() const override;

  private:
    const QMimeData& data_;
};

} // namespace tolvane::qt
