#include "platform/profile_file.h"

#include "platform/utf8.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace tolvane {

namespace {

bool writeAndClose(std::FILE* file, const std::string& content) {
    bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    written = std::fflush(file) == 0 && written;
    written = ::fsync(::fileno(file)) == 0 && written;
    return std::fclose(file) == 0 && written;
}

} // namespace

std::optional<std::string> readProfileFile(const std::u16string& path) {
    std::FILE* file = std::fopen(toUtf8(path).c_str(), "rb");
    if (file == nullptr) {
        if (errno == ENOENT) return std::string{};
        return std::nullopt;
    }
    std::string content;
    std::array<char, 4096> chunk{};
    std::size_t got = 0;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0)
        content.append(chunk.data(), got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return std::nullopt;
    return content;
}

bool replaceProfileFile(const std::u16string& path, const std::string& content) {
    const std::string target = toUtf8(path);
    const std::string temporary = target + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return false;
    if (writeAndClose(file, content) && std::rename(temporary.c_str(), target.c_str()) == 0)
        return true;
    std::remove(temporary.c_str());
    return false;
}

} // namespace tolvane
