#include "engine/fused_convert.h"

#include "engine/encoding.h"
#include "engine/fast_tables.h"
#include "engine/text_codec.h"
#include "platform/codepage.h"

#include <array>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tolvane {

namespace {

// Copies the ASCII bytes from in, sixteen or eight at a time where it can.
// Runs of ASCII in real text are short, so a whole block is stored and the
// pointers move on by the ASCII bytes at its start: the output has room for
// a block more than it gets.
inline void copyAscii(const std::uint8_t*& in, const std::uint8_t* end, std::uint8_t*& out) {
#ifdef __SSE2__
    while (end - in >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), block);
        const auto high = static_cast<unsigned>(_mm_movemask_epi8(block));
        if (high != 0) {
            const int ascii = std::countr_zero(high);
            in += ascii;
            out += ascii;
            return;
        }
        in += 16;
        out += 16;
    }
#endif
    while (end - in >= 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, in, sizeof word);
        if ((word & 0x8080808080808080ULL) != 0) break;
        std::memcpy(out, &word, sizeof word);
        in += 8;
        out += 8;
    }
    while (in < end && *in < 0x80)
        *out++ = *in++;
}

// The run of two-byte characters at in whose replacements have two-byte forms;
// stops at anything else. Local pointers keep the loop in registers.
void convertPairs(const std::uint16_t* pairs, const std::uint8_t*& from, const std::uint8_t* end,
                  std::uint8_t*& to) {
    const std::uint8_t* in = from;
    std::uint8_t* out = to;
    while (end - in >= 2) {
        std::uint16_t bytes = 0;
        std::memcpy(&bytes, in, 2);
        const std::uint16_t converted = pairs[bytes];
        if (converted == 0) break;
        std::memcpy(out, &converted, 2);
        in += 2;
        out += 2;
    }
    from = in;
    to = out;
}

// One character, decoded or a stray byte, through the table and encoded
// the general way.
void convertCharacter(const 内码对照表& table, Encoding encoding, std::u16string& character,
                      std::uint8_t*& out) {
    for (char16_t& unit : character)
        unit = table.查表(unit);
    const Encoded encoded = encodeText(encoding, character, out);
    if (encoded.units < character.size()) throw CannotEncode(encoding, character, encoded.units);
    out += encoded.written;
}

// The run of 3-byte characters at in whose replacements are 3-byte characters
// too; stops at anything else.
void convertThreeByteRun(const std::array<std::uint8_t, 4>* threeBytes, const std::uint8_t*& from,
                         const std::uint8_t* end, std::uint8_t*& to) {
    const std::uint8_t* in = from;
    std::uint8_t* out = to;
    // Four bytes read at once, the first three a character: one test tells
    // that they are a lead byte of three and two continuation bytes.
    while (end - in >= 4) {
        std::uint32_t bytes = 0; // the first byte lowest
        std::memcpy(&bytes, in, 4);
        if constexpr (std::endian::native == std::endian::big) bytes = __builtin_bswap32(bytes);
        if ((bytes & 0xC0C0F0U) != 0x8080E0U) break;
        const std::array<std::uint8_t, 4>& encoded =
            threeBytes[(bytes & 0x0F) << 12 | (bytes >> 2 & 0xFC0) | (bytes >> 16 & 0x3F)];
        if (encoded[0] == 0) break;
        // Four bytes stored, three kept: the output always has room for one more.
        std::memcpy(out, encoded.data(), encoded.size());
        in += 3;
        out += 3;
    }
    from = in;
    to = out;
}

} // namespace

std::size_t convertDoubleByteFused(const 内码对照表& table, Encoding encoding,
                                   std::span<const std::uint8_t> input, bool last,
                                   std::uint8_t*& out, FusedFlags flags) {
    const CodePage page = *codePageOf(encoding);
    const std::uint16_t* const pairs = table.fast().pairsOf(page).data();
    const bool asciiUnchanged = table.fast().asciiUnchanged;
    std::u16string character;
    const std::uint8_t* in = input.data();
    const std::uint8_t* const end = in + input.size();
    bool nonAscii = false;
    bool invalid = false;
    while (in < end) {
        if (*in < 0x80 && asciiUnchanged) {
            copyAscii(in, end, out);
            continue;
        }
        const std::uint8_t* const before = in;
        convertPairs(pairs, in, end, out);
        if (in != before) {
            nonAscii = true; // a pair's lead byte is not ASCII
            continue;
        }
        // One character the general way: a single byte, a pair whose
        // replacement has no two-byte form, a four-byte sequence, or a stray
        // byte, which stays as it is.
        character.clear();
        const std::size_t used = decodeCharacter(page, {in, end}, last, character);
        if (used == 0) break;
        nonAscii = nonAscii || *in >= 0x80;
        invalid = invalid || (character.size() == 1 && isStrayByteUnit(character[0]));
        convertCharacter(table, encoding, character, out);
        in += used;
    }
    flags.nonAscii = flags.nonAscii || nonAscii;
    flags.invalid = flags.invalid || invalid;
    return static_cast<std::size_t>(in - input.data());
}

std::size_t convertUtf8Fused(const 内码对照表& table, std::span<const std::uint8_t> input,
                             bool last, std::uint8_t*& out, FusedFlags flags) {
    const FastTables& fast = table.fast();
    std::u16string character;
    const std::uint8_t* in = input.data();
    const std::uint8_t* const end = in + input.size();
    while (in < end) {
        if (*in < 0x80 && fast.asciiUnchanged) {
            copyAscii(in, end, out);
            continue;
        }
        flags.nonAscii = flags.nonAscii || *in >= 0x80;
        const std::uint8_t* const before = in;
        convertThreeByteRun(fast.utf8ThreeBytes.data(), in, end, out);
        if (in != before) continue;
        const int length = utf8SequenceAt(input, static_cast<std::size_t>(in - input.data()));
        if (length < 0 && !last) break;
        if (length <= 0) {
            flags.invalid = true;
            if (flags.stopAtInvalid) break;
            *out++ = *in++; // does not decode: kept as it is
            continue;
        }
        character.clear();
        decodeText(Encoding::Utf8, {in, static_cast<std::size_t>(length)}, true, character);
        convertCharacter(table, Encoding::Utf8, character, out);
        in += length;
    }
    return static_cast<std::size_t>(in - input.data());
}

} // namespace tolvane
