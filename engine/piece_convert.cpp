#include "engine/piece_convert.h"

#include "engine/convert.h"
#include "engine/fused_convert.h"
#include "engine/text_codec.h"
#include "platform/codepage.h"

#include <algorithm>

namespace tolvane {

namespace {

bool isByteEncoding(Encoding encoding) {
    return encoding == Encoding::Gbk || encoding == Encoding::Utf8;
}

} // namespace

PieceConverter::PieceConverter(const 内码对照表& table, Encoding encoding)
    : table_(table), encoding_(encoding),
      fused_(isByteEncoding(encoding) && table.词组().size() == 0) {}

std::uint8_t* PieceConverter::room(std::size_t needed) {
    if (capacities_[turn_] < needed) {
        buffers_[turn_].reset(new std::uint8_t[needed]); // NOLINT(cppcoreguidelines-owning-memory)
        capacities_[turn_] = needed;
    }
    return buffers_[turn_].get();
}

PieceConverter::Result PieceConverter::convert(std::span<const std::uint8_t> input, bool last) {
    turn_ ^= 1;
    if (!fused_) {
        std::vector<std::uint8_t>& output = outputs_[turn_];
        output.clear();
        const std::size_t used = convertByUnits(input, last, output);
        return {used, output};
    }
    // At most three bytes out for every byte in (an ASCII byte replaced by a
    // 3-byte UTF-8 character), and room for a cut-off character's bytes.
    std::uint8_t* const start = room(input.size() * 3 + 8);
    std::uint8_t* out = start;
    const FusedFlags flags{sawNonAscii_, sawInvalid_, stopAtInvalid_};
    const std::size_t used = encoding_ == Encoding::Gbk
                                 ? convertGbkFused(table_, input, last, out, flags)
                                 : convertUtf8Fused(table_, input, last, out, flags);
    return {used, {start, static_cast<std::size_t>(out - start)}};
}

// Decodes, converts and encodes. The units a phrase rule might still cover
// together with the next piece wait for it, decoded.
std::size_t PieceConverter::convertByUnits(std::span<const std::uint8_t> input, bool last,
                                           std::vector<std::uint8_t>& output) {
    if (stopAtInvalid_) {
        const std::size_t valid = validUtf8Prefix(input);
        const int length = valid < input.size() ? utf8SequenceAt(input, valid) : 1;
        // Converting ends at the byte that does not decode, everything before
        // it converted.
        if (length == 0 || (length < 0 && last)) {
            sawInvalid_ = true;
            sawNonAscii_ = true; // no invalid byte is ASCII
            input = input.first(valid);
            last = true;
        }
    }
    units_.swap(waiting_);
    waiting_.clear();
    std::size_t used = decodeText(encoding_, input, last, units_);
    sawNonAscii_ = sawNonAscii_ || std::ranges::any_of(input.first(used), [](std::uint8_t byte) {
                       return byte >= 0x80;
                   });
    if (encoding_ == Encoding::Gbk)
        sawInvalid_ = sawInvalid_ || std::ranges::any_of(units_, isStrayByteUnit);
    if (encoding_ == Encoding::Utf8)
        sawInvalid_ = sawInvalid_ || validUtf8Prefix(input.first(used)) != used;

    if (counting_) original_ = units_;
    const std::size_t done = convertUnits(table_, units_, last);
    for (std::size_t k = 0; counting_ && k < done; ++k)
        changedUnits_ += units_[k] != original_[k] ? 1 : 0;
    encodeText(encoding_, std::u16string_view(units_).substr(0, done), output);
    waiting_.assign(units_, done);
    if (last) {
        // An odd last byte of UTF-16 is no code unit: it is kept as it is.
        output.insert(output.end(), input.begin() + static_cast<std::ptrdiff_t>(used), input.end());
        used = input.size();
    }
    return used;
}

} // namespace tolvane
