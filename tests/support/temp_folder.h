#pragma once
// A fresh folder under the system's temporary folder, removed with its contents.

#include "tests/mkdtemp.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace tolvane {

class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tolvane-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::u16string text() const { return path_.u16string(); }

  private:
    std::filesystem::path path_;
};

} // namespace tolvane
