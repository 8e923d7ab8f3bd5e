#include "engine/fused_convert.h"

#include "engine/encoding.h"
#include "engine/fast_tables.h"
#include "engine/text_codec.h"
#include "platform/codepage.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>

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

// A phrase rule's target: no surrogates, no stray bytes (table files hold
// none), so none of the general way's cases.
void putUtf8(std::u16string_view units, std::uint8_t*& out) {
    for (const char16_t unit : units) {
        if (unit < 0x80) {
            *out++ = static_cast<std::uint8_t>(unit);
            continue;
        }
        if (unit < 0x800) {
            *out++ = static_cast<std::uint8_t>(0xC0 | unit >> 6);
        } else {
            *out++ = static_cast<std::uint8_t>(0xE0 | unit >> 12);
            *out++ = static_cast<std::uint8_t>(0x80 | (unit >> 6 & 0x3F));
        }
        *out++ = static_cast<std::uint8_t>(0x80 | (unit & 0x3F));
    }
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

// Four bytes read at once, the first byte lowest.
std::uint32_t fourBytesAt(const std::uint8_t* in) {
    std::uint32_t bytes = 0;
    std::memcpy(&bytes, in, 4);
    if constexpr (std::endian::native == std::endian::big) bytes = __builtin_bswap32(bytes);
    return bytes;
}

// Whether the first three of them are a lead byte of three and two
// continuation bytes: one test tells.
bool isThreeByteCharacter(std::uint32_t bytes) {
    return (bytes & 0xC0C0F0U) == 0x8080E0U;
}

char16_t unitOfThreeBytes(std::uint32_t bytes) {
    return static_cast<char16_t>((bytes & 0x0F) << 12 | (bytes >> 2 & 0xFC0) |
                                 (bytes >> 16 & 0x3F));
}

// The run of 3-byte characters at in whose replacements are 3-byte
// characters too and, with phrases, where no phrase rule may begin; stops at
// anything else.
template <bool kPhrases>
void convertThreeByteRun(const 内码对照表& table, const std::uint8_t*& from,
                         const std::uint8_t* end, std::uint8_t*& to) {
    const std::array<std::uint8_t, 4>* const threeBytes = table.fast().utf8ThreeBytes.data();
    const PhraseRules& phrases = table.词组();
    const std::uint8_t* in = from;
    std::uint8_t* out = to;
    // With phrases the character after is read too.
    while (end - in >= (kPhrases ? 7 : 4)) {
        const std::uint32_t bytes = fourBytesAt(in);
        if (!isThreeByteCharacter(bytes)) break;
        const char16_t unit = unitOfThreeBytes(bytes);
        if constexpr (kPhrases) {
            // ASCII often follows, which a 3-byte character never stands for.
            if (phrases.mayStartWith(unit)) {
                const std::uint32_t next = fourBytesAt(in + 3);
                const char16_t second = isThreeByteCharacter(next) ? unitOfThreeBytes(next)
                                        : in[3] < 0x80             ? in[3]
                                                                   : 0;
                if (second == 0 || phrases.mayStartWith(unit, second)) break;
            }
        }
        const std::array<std::uint8_t, 4>& encoded = threeBytes[unit];
        if (encoded[0] == 0) break;
        // Four bytes stored, three kept: the output always has room for one more.
        std::memcpy(out, encoded.data(), encoded.size());
        in += 3;
        out += 3;
    }
    from = in;
    to = out;
}

// The units of the character at in (length bytes, 0 for a byte that does
// not decode, which becomes its stray unit); returns how many.
std::size_t unitsOfCharacter(const std::uint8_t* in, int length, char16_t* units) {
    if (length <= 0) {
        units[0] = strayByteUnit(*in);
        return 1;
    }
    char32_t code = length == 1 ? in[0] : in[0] & (0x7F >> length);
    for (int k = 1; k < length; ++k)
        code = code << 6 | (in[k] & 0x3F);
    if (code < 0x10000) {
        units[0] = static_cast<char16_t>(code);
        return 1;
    }
    units[0] = static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
    units[1] = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    return 2;
}

// Decodes the characters after those units holds until it holds count
// units, each unit's character's end noted (ends starts with where the
// first begins); without last, a character cut off at the end of input is
// left out.
void decodeAhead(std::span<const std::uint8_t> input, bool last, std::size_t count,
                 std::u16string& units, std::vector<const std::uint8_t*>& ends) {
    const std::uint8_t* in = ends.back();
    const std::uint8_t* const end = input.data() + input.size();
    while (units.size() < count && in < end) {
        std::array<char16_t, 2> character{};
        int length = 0;
        if (end - in >= 4 && isThreeByteCharacter(fourBytesAt(in))) {
            character[0] = unitOfThreeBytes(fourBytesAt(in));
            length = 3;
            units += character[0];
        } else {
            length = utf8SequenceAt(input, static_cast<std::size_t>(in - input.data()));
            if (length < 0 && !last) return;
            units.append(character.data(), unitsOfCharacter(in, length, character.data()));
            length = std::max(length, 1);
        }
        in += length;
        ends.resize(units.size() + 1, in);
    }
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

namespace {

template <bool kPhrases>
std::size_t convertUtf8(const 内码对照表& table, std::span<const std::uint8_t> input, bool last,
                        std::uint8_t*& out, FusedFlags flags) {
    const FastTables& fast = table.fast();
    const PhraseRules& phrases = table.词组();
    const bool copiesAscii = fast.asciiUnchanged && !fast.asciiBeginsPhrase;
    std::u16string character;
    std::u16string ahead;
    std::vector<const std::uint8_t*> aheadEnds;
    const std::uint8_t* in = input.data();
    const std::uint8_t* const end = in + input.size();
    while (in < end) {
        if (*in < 0x80 && copiesAscii) {
            copyAscii(in, end, out);
            continue;
        }
        flags.nonAscii = flags.nonAscii || *in >= 0x80;
        const std::uint8_t* const before = in;
        convertThreeByteRun<kPhrases>(table, in, end, out);
        if (in != before) continue;
        if constexpr (kPhrases) {
            // A rule may begin here: the first two characters tell the rules
            // that can, and as many characters as the longest has decide,
            // once there.
            ahead.clear();
            aheadEnds.assign(1, in);
            decodeAhead(input, last, 2, ahead, aheadEnds);
            if (!last && ahead.size() < 2) break;
            const PhraseRules::Candidates candidates = ahead.size() < 2
                                                           ? PhraseRules::Candidates{}
                                                           : phrases.candidates(ahead[0], ahead[1]);
            if (!candidates.empty()) {
                decodeAhead(input, last, candidates.longest(), ahead, aheadEnds);
                if (!last && ahead.size() < candidates.longest()) break;
                const PhraseRules::Match match = phrases.longestAt(candidates, ahead);
                if (match.length != 0) {
                    putUtf8({match.target, match.length}, out);
                    in = aheadEnds[match.length];
                    continue;
                }
            }
        }
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

} // namespace

std::size_t convertUtf8Fused(const 内码对照表& table, std::span<const std::uint8_t> input,
                             bool last, std::uint8_t*& out, FusedFlags flags) {
    return table.词组().size() == 0 ? convertUtf8<false>(table, input, last, out, flags)
                                    : convertUtf8<true>(table, input, last, out, flags);
}

} // namespace tolvane
