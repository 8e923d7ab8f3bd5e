#include "support/number_text.h"

#include <charconv>

namespace tolvane {

namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::size_t skipDigits(const std::u16string& text, std::size_t at) {
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return at;
}

std::size_t skipBlanks(const std::u16string& text, std::size_t at) {
    while (at < text.size() && isBlank(text[at]))
        ++at;
    return at;
}

// Where the number starting at `from` ends; `from` itself when there is none.
std::size_t numberEnd(const std::u16string& text, std::size_t from) {
    std::size_t at = from;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) ++at;
    const std::size_t integerStart = at;
    at = skipDigits(text, at);
    std::size_t digits = at - integerStart;
    if (at < text.size() && text[at] == u'.') {
        const std::size_t fractionEnd = skipDigits(text, at + 1);
        digits += fractionEnd - (at + 1);
        at = fractionEnd;
    }
    if (digits == 0) return from;
    if (at < text.size() && (text[at] == u'e' || text[at] == u'E')) {
        std::size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == u'+' || text[exponent] == u'-'))
            ++exponent;
        const std::size_t exponentEnd = skipDigits(text, exponent);
        if (exponentEnd > exponent) at = exponentEnd;
    }
    return at;
}

struct Number {
    std::optional<double> value;
    std::size_t end; // where the text after the number starts
};

Number numberAtStart(const std::u16string& text) {
    const std::size_t from = skipBlanks(text, 0);
    const std::size_t to = numberEnd(text, from);
    if (to == from) return {std::nullopt, from};
    // Only ASCII was taken above, so it narrows unchanged; from_chars reads
    // "." whatever the process locale says, but takes no "+".
    std::string ascii(text.begin() + static_cast<std::ptrdiff_t>(from),
                      text.begin() + static_cast<std::ptrdiff_t>(to));
    if (ascii.front() == '+') ascii.erase(0, 1);
    double value = 0;
    const auto read = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (read.ec != std::errc{}) return {std::nullopt, to};
    return {value, to};
}

} // namespace

double 开头数值(const std::u16string& 文本) {
    return numberAtStart(文本).value.value_or(0.0);
}

std::optional<double> 整体数值(const std::u16string& 文本) {
    const Number number = numberAtStart(文本);
    if (skipBlanks(文本, number.end) != 文本.size()) return std::nullopt;
    return number.value;
}

} // namespace tolvane
