#include "engine/fused_convert.h"

#include "engine/encoding.h"
#include "engine/fast_tables.h"
#include "platform/codepage.h"

#include <array>
#include <cstring>

namespace tolvane {

namespace {

constexpr bool isSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// Copies the ASCII bytes from in, eight at a time where it can.
void copyAscii(const std::uint8_t*& in, const std::uint8_t* end, std::uint8_t*& out) {
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
        const std::uint16_t code = pairs[in[0] << 8 | in[1]];
        if (code == 0) break;
        out[0] = static_cast<std::uint8_t>(code >> 8);
        out[1] = static_cast<std::uint8_t>(code);
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
    while (end - in >= 3) {
        const unsigned lead = in[0];
        const unsigned second = in[1];
        const unsigned third = in[2];
        if ((lead & 0xF0) != 0xE0 || ((second & 0xC0) | (third & 0xC0) << 8) != 0x8080) break;
        const std::array<std::uint8_t, 4>& encoded =
            threeBytes[(lead & 0x0F) << 12 | (second & 0x3F) << 6 | (third & 0x3F)];
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
    while (in < end) {
        const std::uint8_t* const before = in;
        convertPairs(fast.gbkPair.data(), in, end, out);
        flags.nonAscii = flags.nonAscii || in != before; // a pair's lead byte is not ASCII
        if (in == end) break;
        const std::uint8_t lead = *in;
        if (lead < 0x80 && fast.asciiUnchanged) {
            copyAscii(in, end, out);
            continue;
        }
        flags.nonAscii = flags.nonAscii || lead >= 0x80;
        const bool single = codePage.isSingle[lead];
        if (!single && in + 1 == end && !last) break;
        // One character the general way: a single byte, a pair whose replacement
        // has no two-byte form, or a stray byte, which stays as it is.
        const char16_t pair = single || in + 1 == end ? 0 : codePage.pair[lead << 8 | in[1]];
        const bool stray = !single && pair == 0;
        flags.invalid = flags.invalid || stray;
        const char16_t unit = single || stray ? codePage.single[lead] : pair;
        putGbk(codePage, table.查表(unit), out);
        in += single || stray ? 1 : 2;
    }
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
