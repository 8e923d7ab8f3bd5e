// The private-profile functions over our own INI reader and writer. Names and
// values are ANSI (code page 936) bytes and are compared as such. The file is
// read and replaced as a whole.

#include "platform/profile.h"

#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/files.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <sstream>
#include <vector>

namespace tolvane {

namespace {

using Lines = std::vector<std::string>;

// Case-insensitive for ASCII letters only; the second byte of a double-byte
// character is compared exactly, since it may look like an ASCII letter.
bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (isGbkLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string withoutQuotes(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// The name of a "[name]" line, or nothing for any other line.
std::optional<std::string> sectionName(const std::string& line) {
    const std::string text = trimmed(line);
    if (text.empty() || text.front() != '[') return std::nullopt;
    const auto close = text.find(']');
    if (close == std::string::npos) return std::nullopt;
    return trimmed(text.substr(1, close - 1));
}

std::optional<std::string> keyName(const std::string& line) {
    if (sectionName(line)) return std::nullopt;
    const auto equals = line.find('=');
    if (equals == std::string::npos) return std::nullopt;
    return trimmed(line.substr(0, equals));
}

std::string valueOf(const std::string& line) {
    return withoutQuotes(trimmed(line.substr(line.find('=') + 1)));
}

Lines splitLines(const std::string& content) {
    Lines lines;
    std::istringstream stream(content);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

struct SectionRange {
    std::size_t header;
    std::size_t end; // one past its last line
};

// Names are looked up without blanks at their ends, as they are read from
// the file, so that a name written with blanks is found again.
std::optional<SectionRange> findSection(const Lines& lines, const std::string& section) {
    const std::string wanted = trimmed(section);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines[i]);
        if (!name || !sameName(*name, wanted)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !sectionName(lines[end]))
            ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> findKey(const Lines& lines, SectionRange range, const std::string& key) {
    const std::string wanted = trimmed(key);
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const auto name = keyName(lines[i]);
        if (name && sameName(*name, wanted)) return i;
    }
    return std::nullopt;
}

std::optional<std::string> storedValue(const Lines& lines, const std::string& section,
                                       const std::string& key) {
    const auto range = findSection(lines, section);
    if (!range) return std::nullopt;
    const auto line = findKey(lines, *range, key);
    if (!line) return std::nullopt;
    return valueOf(lines[*line]);
}

// A new key goes after the section's last non-blank line, before any blank
// lines that separate it from the next section.
std::size_t insertionPoint(const Lines& lines, SectionRange range) {
    std::size_t point = range.end;
    while (point > range.header + 1 && trimmed(lines[point - 1]).empty())
        --point;
    return point;
}

void setValue(Lines& lines, const std::string& section, const std::string& key,
              const std::string& value) {
    const std::string keyLine = key + "=" + value;
    const auto range = findSection(lines, section);
    if (!range) {
        lines.push_back("[" + section + "]");
        lines.push_back(keyLine);
    } else if (const auto line = findKey(lines, *range, key)) {
        lines[*line] = keyLine;
    } else {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertionPoint(lines, *range)),
                     keyLine);
    }
}

// Names and values that would break the line structure cannot be stored; a
// key starting with "[" could be read back as a section.
bool storable(const std::string& section, const std::string& key, const std::string& value) {
    const auto hasLineBreak = [](const std::string& text) {
        return text.find_first_of("\r\n") != std::string::npos;
    };
    const std::string name = trimmed(key);
    return !hasLineBreak(section) && !hasLineBreak(key) && !hasLineBreak(value) &&
           section.find(']') == std::string::npos && key.find('=') == std::string::npos &&
           !name.empty() && name.front() != '[';
}

std::string joinedLines(const Lines& lines) {
    std::string content;
    for (const std::string& line : lines)
        content += line + "\r\n";
    return content;
}

// The file's lines; an empty list for a missing file, nothing when an
// existing file cannot be read (it must then not be replaced either).
std::optional<Lines> readLines(const std::u16string& path) {
    try {
        const std::vector<std::uint8_t> content = readWholeFile(path);
        return splitLines({content.begin(), content.end()});
    } catch (const Error& error) {
        if (error.number() == kFileNotFound) return Lines{};
        return std::nullopt;
    }
}

} // namespace

std::uint32_t getPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, char* buffer,
                                      std::uint32_t size, const std::u16string& file) {
    if (buffer == nullptr || size == 0) return 0;
    const auto lines = readLines(file);
    const auto stored = lines ? storedValue(*lines, section, key) : std::nullopt;
    const std::string& value = stored ? *stored : defaultValue;
    const std::size_t placed = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(buffer, value.data(), placed);
    buffer[placed] = '\0';
    return static_cast<std::uint32_t>(placed);
}

bool writePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::u16string& file) {
    if (!storable(section, key, value)) return false;
    auto lines = readLines(file);
    if (!lines) return false;
    setValue(*lines, section, key, value);
    try {
        replaceFile(file, joinedLines(*lines));
        return true;
    } catch (const Error&) {
        return false;
    }
}

} // namespace tolvane
