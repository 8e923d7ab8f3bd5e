#pragma once
// What the fast paths look up instead of decoding, converting and encoding,
// derived from a table once, when it is built.

#include "platform/codepage.h"

#include <array>
#include <cstdint>
#include <memory>

namespace tolvane {

class 内码对照表;

struct FastTables {
    // Every ASCII character stays itself, so runs of ASCII are copied.
    bool asciiUnchanged = false;
    // Some ASCII character becomes a non-ASCII one: only then does a pure
    // ASCII text come out differently in code page 936 and UTF-8.
    bool movesAscii = false;
    // Some phrase rule begins with an ASCII character: then runs of ASCII
    // cannot be copied in bulk.
    bool asciiBeginsPhrase = false;
    // For each Chinese code page: a two-byte character, its two bytes read as
    // one 16-bit number in the machine's order, gives its converted two-byte
    // form read the same way, or 0 when it is not a character or its
    // replacement has no such form. So a character is converted with one
    // load, one lookup and one store.
    using PairTable = std::array<std::uint16_t, 65536>;
    std::array<PairTable, 3> pairs{};
    const PairTable& pairsOf(CodePage page) const { return pairs[static_cast<std::size_t>(page)]; }
    // A code unit of a 3-byte UTF-8 character: its replacement's three bytes
    // and a spare one when that is one too, otherwise zeros (also for units no
    // 3-byte character stands for).
    std::array<std::array<std::uint8_t, 4>, 65536> utf8ThreeBytes{};
};

std::unique_ptr<const FastTables> deriveFastTables(const 内码对照表& table);

} // namespace tolvane
