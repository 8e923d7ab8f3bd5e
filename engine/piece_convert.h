#pragma once
// Text bytes through the mapping table, piece by piece, in one encoding: each
// character is decoded to UTF-16 code units, each unit replaced by its table
// entry, and the result encoded back. Bytes that do not decode are kept as
// they are; a unit code page 936 cannot hold is written as "0".

#include "engine/encoding.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tolvane {

class PieceConverter {
  public:
    // Fast takes the shortcuts (a double-byte table derived from the mapping
    // table, bulk ASCII copies, a direct way for 3-byte UTF-8); Reference takes
    // the plain way through a UTF-16 buffer. Both give the same bytes.
    enum class Path { Fast, Reference };

    // encoding is not Auto. The mapping table must not change while it is used.
    explicit PieceConverter(Encoding encoding, Path path = Path::Fast);

    struct Result {
        std::size_t used; // bytes of input converted
        // Valid until the call after the next: one piece can be written while
        // the next is converted.
        std::span<const std::uint8_t> bytes;
    };
    // Converts the characters that are complete in input: the bytes after the
    // used ones begin a character the next piece completes. With last every
    // byte is used, a cut-off character's bytes kept as they are.
    Result convert(std::span<const std::uint8_t> input, bool last);

    // A text taken as UTF-8 until it proves otherwise: converting stops at the
    // first byte that does not decode.
    void stopAtInvalid() { stopAtInvalid_ = true; }

    // Whether any byte so far was not ASCII, and whether any did not decode.
    bool sawNonAscii() const { return sawNonAscii_; }
    bool sawInvalid() const { return sawInvalid_; }

  private:
    Encoding encoding_;
    Path path_;
    bool stopAtInvalid_ = false;
    // Two of each, used in turn. Not zeroed when they grow: every piece writes
    // before it reads.
    std::array<std::unique_ptr<std::uint8_t[]>, 2> buffers_;
    std::array<std::size_t, 2> capacities_{};
    std::array<std::vector<std::uint8_t>, 2> referenceOutputs_;
    std::size_t turn_ = 0;
    bool sawNonAscii_ = false;
    bool sawInvalid_ = false;
};

// True when the table maps some ASCII character to a non-ASCII one: only then
// does a pure ASCII text come out differently in code page 936 and UTF-8.
bool tableMovesAscii();

namespace detail {
// Appends the code units of the complete characters of input to units, a byte
// that does not decode as U+DC00 + byte; returns the bytes used. With last an
// odd byte at the end of UTF-16 is left unused.
std::size_t decodePiece(Encoding encoding, std::span<const std::uint8_t> input, bool last,
                        std::u16string& units);
// The plain way, used as the reference: decodes the complete characters of
// input to UTF-16, replaces them through the table and encodes them back.
// Returns the bytes used; notes non-ASCII and undecodable bytes in the flags.
std::size_t convertByReference(Encoding encoding, std::span<const std::uint8_t> input, bool last,
                               std::vector<std::uint8_t>& output, bool& sawNonAscii,
                               bool& sawInvalid);
} // namespace detail

} // namespace tolvane
