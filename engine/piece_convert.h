#pragma once
// Text bytes through a mapping table, piece by piece: the characters are
// decoded to UTF-16 code units, converted (engine/convert.h) and encoded,
// back into their encoding or into another one. Bytes that do not decode are
// kept as they are; a converted text the encoding it is written in cannot
// hold is refused (CannotEncode), never written with stand-ins.

#include "engine/encoding.h"
#include "engine/table.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tolvane {

class PieceConverter {
  public:
    // encoding is not Auto; output Auto writes in encoding. The table must
    // outlive the converter.
    PieceConverter(const 内码对照表& table, Encoding encoding, Encoding output = Encoding::Auto);

    struct Result {
        std::size_t used; // bytes of input converted
        // Valid until the call after the next: one piece can be written while
        // the next is converted.
        std::span<const std::uint8_t> bytes;
    };
    // Converts the characters that are complete in input: the bytes after the
    // used ones begin a character the next piece completes, or characters a
    // phrase rule might still cover together with it (at most keptBack(); or
    // they are kept here until then). With last every byte is used, a cut-off
    // character's bytes kept as they are. Throws CannotEncode.
    Result convert(std::span<const std::uint8_t> input, bool last);

    // A text taken as UTF-8 until it proves otherwise: converting stops at the
    // first byte that does not decode.
    void stopAtInvalid() { stopAtInvalid_ = true; }

    // The most bytes convert leaves unused at the end of a piece that is not
    // the last.
    std::size_t keptBack() const;

    // Counts the code units the conversion replaces; it then always takes the
    // way through UTF-16 code units, and a result the output encoding cannot
    // hold is noted instead of thrown.
    void countChanges() {
        counting_ = true;
        fused_ = false;
    }
    std::uint64_t changedUnits() const { return changedUnits_; }
    // The CannotEncode a conversion would have thrown, when counting.
    std::exception_ptr refusal() const { return refusal_; }

    // Whether any byte so far was not ASCII, and whether any did not decode.
    bool sawNonAscii() const { return sawNonAscii_; }
    bool sawInvalid() const { return sawInvalid_; }

  private:
    std::uint8_t* room(std::size_t needed);
    Result convertByUnits(std::span<const std::uint8_t> input, bool last);
    struct Converted {
        std::size_t used;
        std::size_t written;
    };
    Converted convertSlice(std::span<const std::uint8_t> slice, bool last, std::uint8_t* out);

    static constexpr std::size_t kSliceSize = 16384;

    const 内码对照表& table_;
    Encoding encoding_;
    Encoding output_;
    // The shortcuts, for a text written in its own encoding: a double-byte
    // table, bulk ASCII copies, a direct way for 3-byte UTF-8; in UTF-8 with
    // phrase rules too, for the commonest text.
    bool fused_;
    bool stopAtInvalid_ = false;
    bool counting_ = false;
    std::uint64_t changedUnits_ = 0;
    std::exception_ptr refusal_;
    // Two output buffers, used in turn. Not zeroed when they grow: every piece
    // writes before it reads; the same for the units.
    std::array<std::unique_ptr<std::uint8_t[]>, 2> buffers_;
    std::array<std::size_t, 2> capacities_{};
    std::u16string units_;    // a slice's, after the waiting ones
    std::u16string waiting_;  // decoded, not yet converted: a phrase may cover them
    std::u16string original_; // when counting
    std::size_t turn_ = 0;
    bool sawNonAscii_ = false;
    bool sawInvalid_ = false;
};

} // namespace tolvane
