#include "engine/fast_tables.h"

#include "engine/table.h"
#include "platform/codepage.h"

#include <cstring>

namespace tolvane {

namespace {

constexpr bool isSurrogate(unsigned unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// Two bytes as they lie in memory, read as one number.
std::uint16_t inMemoryOrder(std::uint16_t leadThenTrail) {
    const std::array<std::uint8_t, 2> bytes{static_cast<std::uint8_t>(leadThenTrail >> 8),
                                            static_cast<std::uint8_t>(leadThenTrail)};
    std::uint16_t number = 0;
    std::memcpy(&number, bytes.data(), 2);
    return number;
}

void derivePairs(const 内码对照表& table, CodePage page, FastTables::PairTable& pairs) {
    const DoubleByteTable& codePage = doubleByteTable(page);
    for (unsigned pair = 0; pair < 65536; ++pair) {
        const char16_t unit = codePage.pair[pair];
        const std::uint16_t code = unit == 0 ? 0 : codePage.encode[table.查表(unit)];
        const bool twoBytes = code >= 0x100 && code != kNoCode;
        pairs[inMemoryOrder(static_cast<std::uint16_t>(pair))] = twoBytes ? inMemoryOrder(code) : 0;
    }
}

void deriveUtf8ThreeBytes(const 内码对照表& table, FastTables& fast) {
    for (unsigned unit = 0x800; unit < 0x10000; ++unit) {
        const char16_t replacement = table.查表(static_cast<char16_t>(unit));
        if (isSurrogate(unit) || replacement < 0x800 || isSurrogate(replacement)) continue;
        fast.utf8ThreeBytes[unit] = {static_cast<std::uint8_t>(0xE0 | replacement >> 12),
                                     static_cast<std::uint8_t>(0x80 | (replacement >> 6 & 0x3F)),
                                     static_cast<std::uint8_t>(0x80 | (replacement & 0x3F)), 0};
    }
}

} // namespace

std::unique_ptr<const FastTables> deriveFastTables(const 内码对照表& table) {
    auto fast = std::make_unique<FastTables>();
    fast->asciiUnchanged = true;
    for (char16_t unit = 0; unit < 0x80; ++unit) {
        fast->asciiUnchanged = fast->asciiUnchanged && table.查表(unit) == unit;
        fast->movesAscii = fast->movesAscii || table.查表(unit) >= 0x80;
        fast->asciiBeginsPhrase = fast->asciiBeginsPhrase || table.词组().mayStartWith(unit);
    }
    for (const CodePage page : {CodePage::Gbk, CodePage::Big5, CodePage::Gb18030})
        derivePairs(table, page, fast->pairs[static_cast<std::size_t>(page)]);
    deriveUtf8ThreeBytes(table, *fast);
    return fast;
}

} // namespace tolvane
