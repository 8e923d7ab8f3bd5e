#pragma once
// The system's open-file dialog (GetOpenFileNameW), its answer block handed
// back unchanged for RunOpenDialog to take apart.

#include "platform/open_dialog.h"

namespace tolvane::win32 {

class FileDialog : public OpenFileDialog {
  public:
    bool getOpenFileName(OpenFileName& request) override;
};

} // namespace tolvane::win32
