#pragma once
// The tables codepage_generate.cpp writes and codepage.cpp converts with.

#include "platform/codepage.h"

#include <cstdint>
#include <span>

namespace tolvane::tables {

extern const DoubleByteTable kGbk;
extern const DoubleByteTable kBig5;
extern const DoubleByteTable kGb18030; // its one- and two-byte characters

// GB18030's four-byte sequences below U+10000, numbered in byte order from
// 81 30 81 30: a run of sequences standing for consecutive code units.
struct FourByteRun {
    std::uint16_t firstIndex;
    std::uint16_t firstUnit;
    std::uint16_t length;
};
extern const std::span<const FourByteRun> kGb18030RunsByIndex;
extern const std::span<const FourByteRun> kGb18030RunsByUnit;

// GB18030's two-byte codes of characters beyond U+FFFF.
struct SupplementaryCode {
    std::uint16_t code;
    char32_t character;
};
extern const std::span<const SupplementaryCode> kGb18030SupplementaryCodes;

} // namespace tolvane::tables
