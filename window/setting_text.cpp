#include "window/setting_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tolvane {

namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::size_t skipDigits(const std::u16string& text, std::size_t at) {
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return at;
}

// Where the number starting at `from` ends: sign, digits, one decimal point,
// an exponent only when digits follow it. `from` itself when there is no number.
std::size_t numberEnd(const std::u16string& text, std::size_t from) {
    std::size_t at = from;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) ++at;
    const std::size_t intStart = at;
    at = skipDigits(text, at);
    std::size_t digits = at - intStart;
    if (at < text.size() && text[at] == u'.') {
        const std::size_t fracStart = at + 1;
        const std::size_t fracEnd = skipDigits(text, fracStart);
        digits += fracEnd - fracStart;
        at = fracEnd;
    }
    if (digits == 0) return from;
    if (at < text.size() && (text[at] == u'e' || text[at] == u'E')) {
        std::size_t expAt = at + 1;
        if (expAt < text.size() && (text[expAt] == u'+' || text[expAt] == u'-')) ++expAt;
        const std::size_t expEnd = skipDigits(text, expAt);
        if (expEnd > expAt) at = expEnd;
    }
    return at;
}

std::size_t skipBlanks(const std::u16string& text, std::size_t at) {
    while (at < text.size() && isBlank(text[at]))
        ++at;
    return at;
}

// The text between the two positions holds only ASCII by construction.
double parse(const std::u16string& text, std::size_t from, std::size_t to) {
    std::string ascii(text.begin() + static_cast<std::ptrdiff_t>(from),
                      text.begin() + static_cast<std::ptrdiff_t>(to));
    if (!ascii.empty() && ascii.front() == '+') ascii.erase(0, 1);
    double value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error == std::errc::result_out_of_range) {
        return ascii.front() == '-' ? -std::numeric_limits<double>::infinity()
                                    : std::numeric_limits<double>::infinity();
    }
    return value;
}

} // namespace

double 开头数值(const std::u16string& 文本) {
    const std::size_t from = skipBlanks(文本, 0);
    const std::size_t to = numberEnd(文本, from);
    return to == from ? 0.0 : parse(文本, from, to);
}

std::optional<double> 整体数值(const std::u16string& 文本) {
    const std::size_t from = skipBlanks(文本, 0);
    const std::size_t to = numberEnd(文本, from);
    if (to == from || skipBlanks(文本, to) != 文本.size()) return std::nullopt;
    return parse(文本, from, to);
}

std::int32_t 取整(double 数) {
    constexpr double low = std::numeric_limits<std::int32_t>::min();
    constexpr double high = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(数)) return 0;
    // nearbyint rounds halves to even in the default rounding mode.
    return static_cast<std::int32_t>(std::nearbyint(std::fmin(std::fmax(数, low), high)));
}

std::u16string 十进制(std::int64_t 数) {
    const std::string ascii = std::to_string(数);
    return {ascii.begin(), ascii.end()};
}

} // namespace tolvane
