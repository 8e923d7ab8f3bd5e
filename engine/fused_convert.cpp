#include "engine/fused_convert.h"

#include "engine/encoding.h"
#include "engine/fast_tables.h"
#include "platform/codepage.h"

#include <array>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tolvane {

namespace {

constexpr bool isSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

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

void putGbk(const CodePage936& codePage, char16_t unit, std::uint8_t*& out) {
    const std::uint16_t code = codePage.encode[unit];
    if (code >= 0x100) *out++ = static_cast<std::uint8_t>(code >> 8);
    *out++ = static_cast<std::uint8_t>(code);
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

// One unit as UTF-8; a stray byte's unit is that byte, a lone surrogate U+FFFD.
void putUtf8(char32_t code, std::uint8_t*& out) {
    if (code < 0x80) {
        *out++ = static_cast<std::uint8_t>(code);
        return;
    }
    if (code <= 0xFFFF && isStrayByteUnit(static_cast<char16_t>(code))) {
        *out++ = static_cast<std::uint8_t>(code - 0xDC00);
        return;
    }
    if (isSurrogate(code)) code = 0xFFFD;
    if (code < 0x800) {
        *out++ = static_cast<std::uint8_t>(0xC0 | code >> 6);
    } else if (code < 0x10000) {
        *out++ = static_cast<std::uint8_t>(0xE0 | code >> 12);
        *out++ = static_cast<std::uint8_t>(0x80 | (code >> 6 & 0x3F));
    } else {
        *out++ = static_cast<std::uint8_t>(0xF0 | code >> 18);
        *out++ = static_cast<std::uint8_t>(0x80 | (code >> 12 & 0x3F));
        *out++ = static_cast<std::uint8_t>(0x80 | (code >> 6 & 0x3F));
    }
    *out++ = static_cast<std::uint8_t>(0x80 | (code & 0x3F));
}

// One valid sequence of length bytes the general way, through its code units.
void convertUtf8Sequence(const 内码对照表& table, const std::uint8_t* in, int length,
                         std::uint8_t*& out) {
    char32_t code = length == 1 ? in[0] : in[0] & (0x7F >> length);
    for (int k = 1; k < length; ++k)
        code = code << 6 | (in[k] & 0x3F);
    if (code < 0x10000) {
        putUtf8(table.查表(static_cast<char16_t>(code)), out);
        return;
    }
    const char16_t high = table.查表(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
    const char16_t low = table.查表(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    if (high >= 0xD800 && high <= 0xDBFF && low >= 0xDC00 && low <= 0xDFFF) {
        putUtf8(0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00), out);
    } else {
        putUtf8(high, out);
        putUtf8(low, out);
    }
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

std::size_t convertGbkFused(const 内码对照表& table, std::span<const std::uint8_t> input, bool last,
                            std::uint8_t*& out, FusedFlags flags) {
    const CodePage936& codePage = codePage936();
    const FastTables& fast = table.fast();
    const std::uint8_t* in = input.data();
    const std::uint8_t* const end = in + input.size();
    bool nonAscii = false;
    bool invalid = false;
    while (in < end) {
        if (*in < 0x80 && fast.asciiUnchanged) {
            copyAscii(in, end, out);
            continue;
        }
        const std::uint8_t* const before = in;
        convertPairs(fast.gbkPair.data(), in, end, out);
        if (in != before) {
            nonAscii = true; // a pair's lead byte is not ASCII
            continue;
        }
        const std::uint8_t lead = *in;
        const bool single = codePage.isSingle[lead];
        if (!single && in + 1 == end && !last) break;
        // One character the general way: a single byte, a pair whose replacement
        // has no two-byte form, or a stray byte, which stays as it is.
        const char16_t pair = single || in + 1 == end ? 0 : codePage.pair[lead << 8 | in[1]];
        const bool stray = !single && pair == 0;
        nonAscii = nonAscii || lead >= 0x80;
        invalid = invalid || stray;
        const char16_t unit = single || stray ? codePage.single[lead] : pair;
        putGbk(codePage, table.查表(unit), out);
        in += single || stray ? 1 : 2;
    }
    flags.nonAscii = flags.nonAscii || nonAscii;
    flags.invalid = flags.invalid || invalid;
    return static_cast<std::size_t>(in - input.data());
}

std::size_t convertUtf8Fused(const 内码对照表& table, std::span<const std::uint8_t> input,
                             bool last, std::uint8_t*& out, FusedFlags flags) {
    const FastTables& fast = table.fast();
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
        convertUtf8Sequence(table, in, length, out);
        in += length;
    }
    return static_cast<std::size_t>(in - input.data());
}

} // namespace tolvane
