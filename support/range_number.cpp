// 范围内数值: a value read from the settings file, accepted only inside a range.

#include "support/ini.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace tolvane {

namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Counts the digits from pos on and moves pos past them.
std::size_t skipDigits(const std::u16string& text, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < text.size() && isDigit(text[pos]))
        ++pos;
    return pos - start;
}

// Blanks, a sign, digits with at most one decimal point, an exponent, blanks:
// the number read, or nothing when the text is not one.
std::optional<double> numberIn(const std::u16string& text) {
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    if (pos < text.size() && text[pos] == u'+') ++pos;
    const std::size_t start = pos;
    if (pos < text.size() && text[pos] == u'-') ++pos;
    std::size_t digits = skipDigits(text, pos);
    if (pos < text.size() && text[pos] == u'.') {
        ++pos;
        digits += skipDigits(text, pos);
    }
    if (digits == 0) return std::nullopt;
    if (pos < text.size() && (text[pos] == u'e' || text[pos] == u'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) ++pos;
        if (skipDigits(text, pos) == 0) return std::nullopt;
    }
    const std::size_t end = pos;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    if (pos != text.size()) return std::nullopt;
    // Only ASCII characters were accepted above, so they narrow unchanged.
    // from_chars reads "." whatever the process locale says.
    const std::string ascii(text.begin() + static_cast<std::ptrdiff_t>(start),
                            text.begin() + static_cast<std::ptrdiff_t>(end));
    // A number too large or too small for a double is no usable setting.
    double number = 0;
    const auto read = std::from_chars(ascii.data(), ascii.data() + ascii.size(), number);
    if (read.ec != std::errc{}) return std::nullopt;
    return number;
}

float inRange(std::optional<double> value, float 界1, float 界2, float 默认) {
    const float low = std::min(界1, 界2);
    const float high = std::max(界1, 界2);
    const float fallback = low <= 默认 && 默认 <= high ? 默认 : low;
    if (value && low <= *value && *value <= high) return static_cast<float>(*value);
    return fallback;
}

} // namespace

float 范围内数值(const std::u16string& 值, float 界1, float 界2, float 默认) {
    return inRange(numberIn(值), 界1, 界2, 默认);
}

float 范围内数值(double 值, float 界1, float 界2, float 默认) {
    return inRange(值, 界1, 界2, 默认);
}

} // namespace tolvane
