#include "engine/convert.h"

#include <algorithm>

namespace tolvane {

namespace {

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

} // namespace

std::size_t convertUnits(const 内码对照表& table, std::span<char16_t> units, bool last) {
    const PhraseRules& phrases = table.词组();
    const std::size_t longest = phrases.longest();
    const std::size_t size = units.size();
    // From here on a rule could still reach past the end of what is known.
    const std::size_t decided = last || longest == 0 ? size : size - std::min(size, longest - 1);
    char16_t* const text = units.data();
    std::size_t at = 0;
    while (at < decided) {
        const auto match = phrases.longestAt({text + at, std::min(longest, size - at)});
        if (match.length != 0) {
            std::copy_n(match.target, match.length, text + at);
            at += match.length;
            continue;
        }
        text[at] = table.查表(text[at]);
        ++at;
    }
    // A surrogate pair is one character of the text: its halves stay together.
    // No table maps a surrogate (table files cannot hold one), so the high half
    // needs no undoing.
    if (at < size && at > 0 && isHighSurrogate(text[at - 1])) --at;
    return at;
}

std::u16string 转换文本(const 内码对照表& table, std::u16string_view text) {
    std::u16string converted(text);
    convertUnits(table, converted, true);
    return converted;
}

} // namespace tolvane
