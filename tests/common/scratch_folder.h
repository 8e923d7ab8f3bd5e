#pragma once
// A fresh folder under the system's temporary folder, removed with its
// contents, and raw access to the bytes of the files in it.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tolvane::testing {

// A path written with "/" in a test, in the system's own form.
inline std::u16string native(std::u16string path) {
    std::ranges::replace(path, u'/',
                         static_cast<char16_t>(std::filesystem::path::preferred_separator));
    return path;
}

class ScratchFolder {
  public:
    ScratchFolder() {
        std::random_device random;
        for (int attempt = 0; path_.empty(); ++attempt) {
            const auto candidate =
                std::filesystem::temp_directory_path() / ("tolvane-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate))
                path_ = candidate;
            else if (attempt == 100)
                throw std::runtime_error("no scratch folder");
        }
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // A path inside, as the program's UTF-16 paths are written; name may hold "/".
    std::u16string operator/(std::u16string_view name) const {
        return path_.u16string() + kSeparator + native(std::u16string(name));
    }
    // name: UTF-8, whatever the system's code page.
    std::filesystem::path operator/(std::string_view name) const {
        return path_ / std::u8string(name.begin(), name.end());
    }

  private:
    static constexpr auto kSeparator =
        static_cast<char16_t>(std::filesystem::path::preferred_separator);
    std::filesystem::path path_;
};

inline void writeBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("test file not written: " + file.string());
}

// Empty when the file cannot be read.
inline std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::span<const std::uint8_t> bytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

inline bool exists(const std::filesystem::path& path) {
    return std::filesystem::symlink_status(path).type() != std::filesystem::file_type::not_found;
}

} // namespace tolvane::testing
