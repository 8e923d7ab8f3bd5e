#pragma once
// The tables codepage_generate.cpp writes and codepage.cpp converts with.

#include "platform/codepage.h"

#include <array>
#include <cstdint>
#include <span>

namespace tolvane::tables {

extern const DoubleByteTable kGbk;
extern const DoubleByteTable kBig5;
extern const DoubleByteTable kGb18030; // its one- and two-byte characters

// GB18030's four-byte sequences: a byte 81..FE, a digit, a byte 81..FE, a
// digit, numbered in byte order from 81 30 81 30. Those from 90 30 81 30 stand
// for U+10000 onward in order; those below U+10000 for the code units in the
// runs.
inline constexpr std::uint32_t kFirstSupplementaryIndex = 189000; // 90 30 81 30

inline std::array<std::uint8_t, 4> fourByteSequence(std::uint32_t index) {
    return {static_cast<std::uint8_t>(0x81 + index / 12600),
            static_cast<std::uint8_t>(0x30 + index / 1260 % 10),
            static_cast<std::uint8_t>(0x81 + index / 10 % 126),
            static_cast<std::uint8_t>(0x30 + index % 10)};
}

// A run of four-byte sequences standing for consecutive code units.
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
