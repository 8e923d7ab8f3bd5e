#pragma once
// The system's open-file dialog as one call on its request record.

#include "platform/picture.h"

#include <cstdint>
#include <string>

namespace tolvane {

// The open-file request and answer record, field by field. The text fields are
// UTF-16 with embedded NULs at this seam; a Win32 layer converts them to and
// from the ANSI code page around its call, keeping the NULs.
struct OpenFileName {
    std::uint32_t lStructSize = 76;
    WindowHandle hwndOwner = 0;
    // Pairs of description and pattern, each ended by NUL, the list by one more.
    std::u16string filter;
    std::int32_t nFilterIndex = 0;
    // nMaxFile characters: the initial text, then NULs. The answer replaces it:
    // "folder NUL name NUL name NUL NUL" for several files, "path NUL NUL" for one.
    std::u16string file;
    std::uint32_t nMaxFile = 0;
    std::u16string fileTitle;
    std::uint32_t nMaxFileTitle = 260;
    std::u16string initialDir;
    std::u16string title;
    std::u16string defExt;
    std::uint32_t flags = 0;
};

inline constexpr std::uint32_t kOfnReadOnly = 0x1;
inline constexpr std::uint32_t kOfnHideReadOnly = 0x4;
inline constexpr std::uint32_t kOfnAllowMultiSelect = 0x200;
inline constexpr std::uint32_t kOfnFileMustExist = 0x1000;
inline constexpr std::uint32_t kOfnExplorer = 0x80000;

class OpenFileDialog {
  public:
    virtual ~OpenFileDialog() = default;
    // True when the user confirmed; then file, fileTitle, flags and
    // nFilterIndex hold the answer.
    virtual bool getOpenFileName(OpenFileName& request) = 0;
};

} // namespace tolvane
