#include "window/dropped_files.h"

#include "platform/ascii.h"
#include "platform/utf8.h"

namespace tolvane {

namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view trimmed(std::string_view line) {
    const std::size_t first = line.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (asciiLower(text[i]) != prefix[i]) return false;
    return true;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "%XX" becomes its byte; a "%" without two hex digits stays as it is.
std::string percentDecoded(std::string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = i + 2 < text.size() && text[i] == '%' ? hexValue(text[i + 1]) : -1;
        const int low = high < 0 ? -1 : hexValue(text[i + 2]);
        if (low < 0) {
            bytes += text[i];
        } else {
            bytes += static_cast<char>(high * 16 + low);
            i += 2;
        }
    }
    return bytes;
}

// The encoded path of a "file:" URI on this machine, or nothing.
std::optional<std::string_view> localPath(std::string_view uri) {
    constexpr std::string_view kScheme = "file:";
    if (!startsWithNoCase(uri, kScheme)) return std::nullopt;
    std::string_view rest = uri.substr(kScheme.size());
    if (rest.starts_with("//")) {
        const std::size_t slash = rest.find('/', 2);
        if (slash == std::string_view::npos) return std::nullopt;
        const std::string_view host = rest.substr(2, slash - 2);
        if (!host.empty() && !(host.size() == 9 && startsWithNoCase(host, "localhost")))
            return std::nullopt;
        rest.remove_prefix(slash);
    }
    rest = rest.substr(0, rest.find_first_of("?#"));
    if (!rest.starts_with('/')) return std::nullopt;
    return rest;
}

} // namespace

std::optional<std::vector<std::u16string>> 拖放的文件(std::string_view 列表) {
    std::vector<std::u16string> paths;
    while (!列表.empty()) {
        const std::size_t end = 列表.find('\n');
        const std::string_view line = trimmed(列表.substr(0, end));
        列表 = end == std::string_view::npos ? std::string_view{} : 列表.substr(end + 1);
        if (line.empty() || line.starts_with('#')) continue;
        const auto encoded = localPath(line);
        if (!encoded) return std::nullopt;
        const std::string bytes = percentDecoded(*encoded);
        if (bytes.find('\0') != std::string::npos) return std::nullopt;
        paths.push_back(fromUtf8(bytes));
    }
    if (paths.empty()) return std::nullopt;
    return paths;
}

} // namespace tolvane
