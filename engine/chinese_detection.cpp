#include "engine/chinese_detection.h"

#include "platform/codepage.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace tolvane {

namespace {

// What meeting a character costs, in bits: -log2 of its share of Chinese text.
struct CharacterCost {
    std::uint8_t cost;
    std::u16string_view characters;
};
constexpr CharacterCost kCharacterCosts[] = {
#include "engine/chinese_character_costs.inc"
};
// What a character the data never met costs; so does a byte that does not
// decode, since its unit is in no text.
constexpr std::uint8_t kUnseenCost = 22;

// Big5 wins by at least this many bits. Read the wrong way, Chinese text costs
// some 12 bits more per character than read the right way; a GBK text costs
// less read as Big5 only by chance, by a few bits, in a text of a character
// or two.
constexpr std::uint64_t kLeastEvidence = 16;

using Costs = std::array<std::uint8_t, 65536>;

const Costs& costs() {
    static const std::unique_ptr<const Costs> table = [] {
        auto costs = std::make_unique<Costs>();
        costs->fill(kUnseenCost);
        for (const CharacterCost& entry : kCharacterCosts)
            for (const char16_t character : entry.characters)
                (*costs)[character] = entry.cost;
        return costs;
    }();
    return *table;
}

struct Reading {
    std::uint64_t cost = 0; // of the characters that are not ASCII
    bool fourByte = false;  // a GB18030 four-byte sequence among them
};

Reading read(CodePage page, std::span<const std::uint8_t> head) {
    const Costs& cost = costs();
    Reading reading;
    std::u16string units;
    for (std::size_t at = 0; at < head.size();) {
        if (head[at] < 0x80) {
            ++at;
            continue;
        }
        units.clear();
        const std::size_t used = decodeCharacter(page, head.subspan(at), false, units);
        if (used == 0) break; // cut off by the end of head
        reading.fourByte = reading.fourByte || used == 4;
        reading.cost += cost[units[0]];
        at += used;
    }
    return reading;
}

} // namespace

ChineseCodePage detectChineseCodePage(std::span<const std::uint8_t> head) {
    // GB18030 reads GBK text as GBK does, but for the few codes GBK leaves
    // undefined; and no GBK or Big5 text holds a four-byte sequence.
    const Reading gbk = read(CodePage::Gb18030, head);
    if (gbk.fourByte) return ChineseCodePage::Gb18030;
    const Reading big5 = read(CodePage::Big5, head);
    const bool clear = gbk.cost >= big5.cost + kLeastEvidence;
    return clear ? ChineseCodePage::Big5 : ChineseCodePage::Gbk;
}

} // namespace tolvane
