#include "engine/piece_convert.h"

#include "engine/convert.h"
#include "engine/fused_convert.h"
#include "engine/text_codec.h"
#include "platform/codepage.h"

#include <algorithm>

namespace tolvane {

namespace {} // namespace

PieceConverter::PieceConverter(const 内码对照表& table, Encoding encoding, Encoding output)
    : table_(table), encoding_(encoding), output_(output == Encoding::Auto ? encoding : output),
      fused_(!isUtf16(encoding) && output_ == encoding &&
             (table.词组().size() == 0 || encoding == Encoding::Utf8)) {}

// A cut character, and the characters of the longest rule, four bytes a unit.
std::size_t PieceConverter::keptBack() const {
    return kMostBytesPerUnit * (table_.词组().longest() + 1);
}

std::uint8_t* PieceConverter::room(std::size_t needed) {
    if (capacities_[turn_] < needed) {
        buffers_[turn_].reset(new std::uint8_t[needed]); // NOLINT(cppcoreguidelines-owning-memory)
        capacities_[turn_] = needed;
    }
    return buffers_[turn_].get();
}

PieceConverter::Result PieceConverter::convert(std::span<const std::uint8_t> input, bool last) {
    turn_ ^= 1;
    if (!fused_) return convertByUnits(input, last);
    // Every byte in is a unit at most.
    std::uint8_t* const start = room(kMostBytesPerUnit * input.size() + kFusedSlack);
    std::uint8_t* out = start;
    const FusedFlags flags{sawNonAscii_, sawInvalid_, stopAtInvalid_};
    const std::size_t used =
        encoding_ == Encoding::Utf8
            ? convertUtf8Fused(table_, input, last, out, flags)
            : convertDoubleByteFused(table_, encoding_, input, last, out, flags);
    return {used, {start, static_cast<std::size_t>(out - start)}};
}

// Decodes, converts and encodes, a slice of the piece at a time so that its
// units stay in the processor's cache.
PieceConverter::Result PieceConverter::convertByUnits(std::span<const std::uint8_t> input,
                                                      bool last) {
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
    sawNonAscii_ =
        sawNonAscii_ || std::ranges::any_of(input, [](std::uint8_t b) { return b >= 0x80; });
    // Every unit, the waiting ones too, has a byte of its own or two.
    std::uint8_t* const out =
        room(kMostBytesPerUnit * (waiting_.size() + input.size()) + kSliceSize);
    std::size_t used = 0;
    std::size_t written = 0;
    for (;;) {
        const std::span<const std::uint8_t> slice =
            input.subspan(used, std::min(kSliceSize, input.size() - used));
        const bool lastSlice = used + slice.size() == input.size();
        const Converted converted = convertSlice(slice, last && lastSlice, out + written);
        used += converted.used;
        written += converted.written;
        if (lastSlice) break;
    }
    return {used, {out, written}};
}

// One slice: the units waiting from the slice before, then the slice's own.
PieceConverter::Converted PieceConverter::convertSlice(std::span<const std::uint8_t> slice,
                                                       bool last, std::uint8_t* out) {
    if (units_.size() < waiting_.size() + slice.size())
        units_.resize(waiting_.size() + slice.size());
    char16_t* const units = units_.data();
    std::ranges::copy(waiting_, units);
    const Decoded decoded = decodeText(encoding_, slice, last, units + waiting_.size());
    const std::u16string_view text(units, waiting_.size() + decoded.units);
    sawInvalid_ = sawInvalid_ || decoded.invalid;
    if (counting_) original_ = text;
    const std::size_t done = convertUnits(table_, {units, text.size()}, last);
    for (std::size_t k = 0; counting_ && k < done; ++k)
        changedUnits_ += units[k] != original_[k] ? 1 : 0;
    waiting_ = text.substr(done);
    const Encoded encoded =
        refusal_ ? Encoded{0, done} : encodeText(output_, text.substr(0, done), out);
    if (encoded.units < done) {
        if (!counting_) throw CannotEncode(output_, text, encoded.units);
        // A dry run goes on counting; nothing would be written.
        refusal_ = std::make_exception_ptr(CannotEncode(output_, text, encoded.units));
    }
    std::size_t written = encoded.written;
    if (!last) return {decoded.used, written};
    // An odd last byte of UTF-16 is no code unit: it is kept as it is.
    for (const std::uint8_t byte : slice.subspan(decoded.used))
        out[written++] = byte;
    return {slice.size(), written};
}

} // namespace tolvane
