#include "support/tray_tip.h"

#include "platform/codepage.h"

#include <algorithm>

namespace tolvane {

namespace {

constexpr std::size_t kTipLength = 64;

// Where the text must end so that a NUL fits and no double-byte character is
// split.
std::size_t lastWholeCharacterEnd(const std::array<std::uint8_t, kTipLength>& bytes) {
    std::size_t end = 0;
    for (;;) {
        const std::size_t next = end + (isGbkLeadByte(bytes[end]) ? 2 : 1);
        if (next > kTipLength - 1) return end;
        end = next;
    }
}

} // namespace

std::array<std::uint8_t, kTipLength> trayTipBytes(const std::u16string& tip) {
    std::u16string padded = tip + u'\0' + std::u16string(kTipLength, u' ');
    padded.resize(kTipLength);
    const std::vector<std::uint8_t> encoded = encodeAnsi(padded);
    std::array<std::uint8_t, kTipLength> bytes{};
    std::copy_n(encoded.begin(), std::min(encoded.size(), kTipLength), bytes.begin());
    if (std::find(bytes.begin(), bytes.end(), 0) == bytes.end())
        std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(lastWholeCharacterEnd(bytes)),
                  bytes.end(), 0);
    return bytes;
}

} // namespace tolvane
