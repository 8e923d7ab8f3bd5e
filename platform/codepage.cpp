#include "platform/codepage.h"

#include "platform/codepage_tables.h"

#include <algorithm>
#include <functional>
#include <memory>

namespace tolvane {

const DoubleByteTable& doubleByteTable(CodePage page) {
    switch (page) {
    case CodePage::Big5:
        return tables::kBig5;
    case CodePage::Gb18030:
        return tables::kGb18030;
    case CodePage::Gbk:
        break;
    }
    return tables::kGbk;
}

namespace {

using tables::FourByteRun;

constexpr bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void appendCharacter(std::u16string& units, char32_t character) {
    if (character <= 0xFFFF) {
        units += static_cast<char16_t>(character);
        return;
    }
    units += static_cast<char16_t>(0xD800 + ((character - 0x10000) >> 10));
    units += static_cast<char16_t>(0xDC00 + (character & 0x3FF));
}

using tables::fourByteSequence;
using tables::kFirstSupplementaryIndex;
constexpr std::uint32_t kLastSupplementaryIndex = kFirstSupplementaryIndex + 0xFFFFF;

bool isDigit(std::uint8_t byte) {
    return byte >= 0x30 && byte <= 0x39;
}

std::uint32_t fourByteIndex(std::span<const std::uint8_t> bytes) {
    return ((bytes[0] - 0x81U) * 10 + (bytes[1] - 0x30U)) * 1260 + (bytes[2] - 0x81U) * 10 +
           (bytes[3] - 0x30U);
}

// The run that holds value, of runs ordered by key; null when none does.
template <typename Key>
const FourByteRun* runHolding(std::span<const FourByteRun> runs, std::uint32_t value, Key key) {
    auto after = std::ranges::upper_bound(runs, value, {}, key);
    if (after == runs.begin()) return nullptr;
    const FourByteRun& run = *--after;
    return value - std::invoke(key, run) < run.length ? &run : nullptr;
}

// The character a four-byte sequence stands for; 0 (which has a byte of its
// own) when it stands for none.
char32_t fourByteCharacter(std::uint32_t index) {
    if (index >= kFirstSupplementaryIndex)
        return index <= kLastSupplementaryIndex ? 0x10000 + (index - kFirstSupplementaryIndex) : 0;
    const FourByteRun* run =
        runHolding(tables::kGb18030RunsByIndex, index, &FourByteRun::firstIndex);
    return run == nullptr ? 0 : run->firstUnit + (index - run->firstIndex);
}

// The number of a character's four-byte sequence, when it has one.
bool fourByteIndexOf(char32_t character, std::uint32_t& index) {
    if (character > 0xFFFF) {
        index = kFirstSupplementaryIndex + (character - 0x10000);
        return true;
    }
    const FourByteRun* run =
        runHolding(tables::kGb18030RunsByUnit, character, &FourByteRun::firstUnit);
    if (run != nullptr) index = run->firstIndex + (character - run->firstUnit);
    return run != nullptr;
}

enum : std::size_t { kStray = 1, kNeedMore = 0 };

// What GB18030 has beyond its two-byte table at bytes (at least two of them):
// the bytes used, kStray when the first byte is a stray byte, or kNeedMore.
std::size_t decodeGb18030Rest(std::span<const std::uint8_t> bytes, bool last,
                              std::u16string& units) {
    const auto code = static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
    for (const tables::SupplementaryCode& two : tables::kGb18030SupplementaryCodes) {
        if (two.code != code) continue;
        appendCharacter(units, two.character);
        return 2;
    }
    if (!isGbkLeadByte(bytes[0]) || !isDigit(bytes[1])) return kStray;
    if (bytes.size() < 4) return last ? kStray : kNeedMore;
    if (!isGbkLeadByte(bytes[2]) || !isDigit(bytes[3])) return kStray;
    const char32_t character = fourByteCharacter(fourByteIndex(bytes));
    if (character == 0) return kStray;
    appendCharacter(units, character);
    return 4;
}

struct EncodedCharacter {
    std::size_t units = 0; // 0 when the code page cannot hold it
    std::array<std::uint8_t, 4> bytes{};
    std::size_t size = 0;
};

EncodedCharacter encodeGb18030Supplementary(char32_t character) {
    EncodedCharacter result{2};
    for (const tables::SupplementaryCode& two : tables::kGb18030SupplementaryCodes) {
        if (two.character != character) continue;
        result.bytes = {static_cast<std::uint8_t>(two.code >> 8),
                        static_cast<std::uint8_t>(two.code)};
        result.size = 2;
        return result;
    }
    std::uint32_t index = 0;
    fourByteIndexOf(character, index);
    result.bytes = fourByteSequence(index);
    result.size = 4;
    return result;
}

EncodedCharacter encodeCharacter(CodePage page, const DoubleByteTable& table,
                                 std::u16string_view units) {
    const char16_t unit = units[0];
    if (isHighSurrogate(unit) && units.size() > 1 && isLowSurrogate(units[1])) {
        if (page != CodePage::Gb18030) return {};
        return encodeGb18030Supplementary(0x10000 + ((unit - 0xD800) << 10) + (units[1] - 0xDC00));
    }
    EncodedCharacter result{1};
    std::uint8_t* out = result.bytes.data();
    if (putCode(table, unit, out)) {
        result.size = static_cast<std::size_t>(out - result.bytes.data());
        return result;
    }
    std::uint32_t index = 0;
    if (page != CodePage::Gb18030 || !fourByteIndexOf(unit, index)) return {};
    result.bytes = fourByteSequence(index);
    result.size = 4;
    return result;
}

} // namespace

std::size_t decodeCharacter(CodePage page, std::span<const std::uint8_t> bytes, bool last,
                            std::u16string& units) {
    const DoubleByteTable& table = doubleByteTable(page);
    const std::uint8_t lead = bytes[0];
    if (!table.isSingle[lead]) {
        if (bytes.size() == 1 && !last) return kNeedMore;
        const char16_t unit = bytes.size() == 1 ? 0 : table.pair[lead << 8 | bytes[1]];
        if (unit != 0) {
            units += unit;
            return 2;
        }
        if (page == CodePage::Gb18030 && bytes.size() > 1) {
            const std::size_t used = decodeGb18030Rest(bytes, last, units);
            if (used != kStray) return used;
        }
    }
    units += table.single[lead]; // a character by itself, or a stray byte
    return 1;
}

// The one- and two-byte characters straight through the tables; the rest
// (a four-byte sequence, a character cut at the end, a stray byte) the way
// decodeCharacter knows.
DecodedPiece decodeCodePage(CodePage page, std::span<const std::uint8_t> bytes, bool last,
                            char16_t* const start) {
    const DoubleByteTable& table = doubleByteTable(page);
    std::u16string character;
    char16_t* out = start;
    DecodedPiece decoded;
    std::size_t& at = decoded.used;
    while (at < bytes.size()) {
        const std::uint8_t lead = bytes[at];
        const char16_t pair = at + 1 < bytes.size() ? table.pair[lead << 8 | bytes[at + 1]] : 0;
        if (table.isSingle[lead] || pair != 0) {
            *out = table.isSingle[lead] ? table.single[lead] : pair;
            decoded.strays = decoded.strays || isStrayByteUnit(*out);
            ++out;
            at += table.isSingle[lead] ? 1 : 2;
            continue;
        }
        character.clear();
        const std::size_t used = decodeCharacter(page, bytes.subspan(at), last, character);
        if (used == kNeedMore) break;
        decoded.strays = decoded.strays || (character.size() == 1 && isStrayByteUnit(character[0]));
        out = std::ranges::copy(character, out).out;
        at += used;
    }
    decoded.units = static_cast<std::size_t>(out - start);
    return decoded;
}

std::size_t decodeCodePage(CodePage page, std::span<const std::uint8_t> bytes, bool last,
                           std::u16string& units) {
    const std::size_t start = units.size();
    units.resize(start + bytes.size());
    const DecodedPiece decoded = decodeCodePage(page, bytes, last, units.data() + start);
    units.resize(start + decoded.units);
    return decoded.used;
}

EncodedPiece encodeCodePage(CodePage page, std::u16string_view units, std::uint8_t* const start) {
    const DoubleByteTable& table = doubleByteTable(page);
    std::uint8_t* out = start;
    std::size_t at = 0;
    while (at < units.size()) {
        if (putCode(table, units[at], out)) {
            ++at;
            continue;
        }
        const EncodedCharacter character = encodeCharacter(page, table, units.substr(at));
        if (character.units == 0) break;
        out = std::copy_n(character.bytes.begin(), character.size, out);
        at += character.units;
    }
    return {static_cast<std::size_t>(out - start), at};
}

std::size_t encodeCodePage(CodePage page, std::u16string_view units,
                           std::vector<std::uint8_t>& bytes) {
    const std::size_t start = bytes.size();
    bytes.resize(start + kMostBytesPerCodePageUnit * units.size());
    const EncodedPiece encoded = encodeCodePage(page, units, bytes.data() + start);
    bytes.resize(start + encoded.written);
    return encoded.units;
}

std::size_t firstUnencodable(CodePage page, std::u16string_view units) {
    const DoubleByteTable& table = doubleByteTable(page);
    std::size_t at = 0;
    while (at < units.size()) {
        const std::size_t used = encodeCharacter(page, table, units.substr(at)).units;
        if (used == 0) break;
        at += used;
    }
    return at;
}

std::u16string decodeOem(std::span<const std::uint8_t> bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    decodeCodePage(CodePage::Gbk, bytes, true, text);
    return text;
}

std::vector<std::uint8_t> encodeOem(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (std::size_t at = 0; at < text.size(); ++at) {
        at += encodeCodePage(CodePage::Gbk, text.substr(at), bytes);
        if (at < text.size()) bytes.push_back('0');
    }
    return bytes;
}

// Both code pages are 936 on the systems the program is made for.
std::u16string decodeAnsi(std::span<const std::uint8_t> bytes) {
    return decodeOem(bytes);
}
std::vector<std::uint8_t> encodeAnsi(std::u16string_view text) {
    return encodeOem(text);
}

const CodePage936& codePage936() {
    static const std::unique_ptr<const CodePage936> withStandIns = [] {
        auto table = std::make_unique<CodePage936>(tables::kGbk);
        std::ranges::replace(table->encode, kNoCode, std::uint16_t{'0'});
        return table;
    }();
    return *withStandIns;
}

} // namespace tolvane
