#include "engine/piece_convert.h"

#include "engine/table.h"
#include "platform/codepage.h"

#include <array>
#include <cstring>
#include <mutex>

namespace tolvane {

namespace {

constexpr bool isStray(char16_t unit) {
    return unit >= 0xDC80 && unit <= 0xDCFF;
}
constexpr bool isSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// What the fast paths look up instead of decoding, converting and encoding.
struct DerivedTables {
    std::uint64_t generation = ~std::uint64_t{0};
    bool asciiUnchanged = false;
    // A two-byte 936 character by (lead << 8 | trail): its converted two-byte
    // form, or 0 when it is not a character or its replacement has no such form.
    std::array<std::uint16_t, 65536> gbkPair{};
    // A code unit of a 3-byte UTF-8 character: its replacement's three bytes
    // and a spare one when that is one too, otherwise zeros (also for units no
    // 3-byte character stands for).
    std::array<std::array<std::uint8_t, 4>, 65536> utf8ThreeBytes{};
};

void derive(DerivedTables& derived) {
    const CodePage936& codePage = codePage936();
    for (unsigned pair = 0; pair < 65536; ++pair) {
        const char16_t unit = codePage.pair[pair];
        const std::uint16_t code = unit == 0 ? 0 : codePage.encode[查表(unit)];
        derived.gbkPair[pair] = code >= 0x100 ? code : 0;
    }
    for (unsigned unit = 0x800; unit < 0x10000; ++unit) {
        const char16_t replacement = 查表(static_cast<char16_t>(unit));
        const bool threeBytes = replacement >= 0x800 && !isSurrogate(replacement);
        derived.utf8ThreeBytes[unit] = {};
        if (isSurrogate(static_cast<char16_t>(unit)) || !threeBytes) continue;
        derived.utf8ThreeBytes[unit] = {static_cast<std::uint8_t>(0xE0 | replacement >> 12),
                                        static_cast<std::uint8_t>(0x80 | (replacement >> 6 & 0x3F)),
                                        static_cast<std::uint8_t>(0x80 | (replacement & 0x3F)), 0};
    }
    derived.asciiUnchanged = true;
    for (char16_t unit = 0; unit < 0x80; ++unit)
        derived.asciiUnchanged = derived.asciiUnchanged && 查表(unit) == unit;
}

// Derived again only when the table has changed since.
const DerivedTables& derivedTables() {
    static std::mutex mutex;
    static const auto derived = std::make_unique<DerivedTables>();
    const std::lock_guard lock(mutex);
    const std::uint64_t generation = tableGeneration();
    if (derived->generation != generation) {
        derive(*derived);
        derived->generation = generation;
    }
    return *derived;
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

struct Flags {
    bool& nonAscii;
    bool& invalid;
    bool stopAtInvalid;
};

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

std::size_t convertGbk(std::span<const std::uint8_t> input, bool last, std::uint8_t*& out,
                       Flags flags) {
    const CodePage936& codePage = codePage936();
    const DerivedTables& derived = derivedTables();
    const std::uint8_t* in = input.data();
    const std::uint8_t* const end = in + input.size();
    while (in < end) {
        const std::uint8_t* const before = in;
        convertPairs(derived.gbkPair.data(), in, end, out);
        flags.nonAscii = flags.nonAscii || in != before; // a pair's lead byte is not ASCII
        if (in == end) break;
        const std::uint8_t lead = *in;
        if (lead < 0x80 && derived.asciiUnchanged) {
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
        putGbk(codePage, stray ? unit : 查表(unit), out);
        in += single || stray ? 1 : 2;
    }
    return static_cast<std::size_t>(in - input.data());
}

// One unit as UTF-8; a stray byte's unit is that byte, a lone surrogate U+FFFD.
void putUtf8(char32_t code, std::uint8_t*& out) {
    if (code < 0x80) {
        *out++ = static_cast<std::uint8_t>(code);
        return;
    }
    if (code <= 0xFFFF && isStray(static_cast<char16_t>(code))) {
        *out++ = static_cast<std::uint8_t>(code - 0xDC00);
        return;
    }
    if (code <= 0xFFFF && isSurrogate(static_cast<char16_t>(code))) code = 0xFFFD;
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

char16_t replaced(char16_t unit) {
    return isStray(unit) ? unit : 查表(unit);
}

// One valid sequence of length bytes the general way, through its code units.
void convertUtf8Sequence(const std::uint8_t* in, int length, std::uint8_t*& out) {
    char32_t code = length == 1 ? in[0] : in[0] & (0x7F >> length);
    for (int k = 1; k < length; ++k)
        code = code << 6 | (in[k] & 0x3F);
    if (code < 0x10000) {
        putUtf8(replaced(static_cast<char16_t>(code)), out);
        return;
    }
    const char16_t high = replaced(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
    const char16_t low = replaced(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
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

std::size_t convertUtf8(std::span<const std::uint8_t> input, bool last, std::uint8_t*& out,
                        Flags flags) {
    const DerivedTables& derived = derivedTables();
    const std::uint8_t* in = input.data();
    const std::uint8_t* const end = in + input.size();
    while (in < end) {
        if (*in < 0x80 && derived.asciiUnchanged) {
            copyAscii(in, end, out);
            continue;
        }
        flags.nonAscii = flags.nonAscii || *in >= 0x80;
        const std::uint8_t* const before = in;
        convertThreeByteRun(derived.utf8ThreeBytes.data(), in, end, out);
        if (in != before) continue;
        const int length = utf8SequenceAt(input, static_cast<std::size_t>(in - input.data()));
        if (length < 0 && !last) break;
        if (length <= 0) {
            flags.invalid = true;
            if (flags.stopAtInvalid) break;
            *out++ = *in++; // does not decode: kept as it is
            continue;
        }
        convertUtf8Sequence(in, length, out);
        in += length;
    }
    return static_cast<std::size_t>(in - input.data());
}

} // namespace

bool tableMovesAscii() {
    for (char16_t unit = 0; unit < 0x80; ++unit)
        if (查表(unit) >= 0x80) return true;
    return false;
}

PieceConverter::PieceConverter(Encoding encoding, Path path) : encoding_(encoding), path_(path) {}

PieceConverter::Result PieceConverter::convert(std::span<const std::uint8_t> input, bool last) {
    turn_ ^= 1;
    const bool fast = encoding_ == Encoding::Gbk || encoding_ == Encoding::Utf8;
    if (path_ == Path::Reference || !fast) {
        std::vector<std::uint8_t>& output = referenceOutputs_[turn_];
        output.clear();
        const std::size_t used =
            detail::convertByReference(encoding_, input, last, output, sawNonAscii_, sawInvalid_);
        return {used, output};
    }
    // At most three bytes out for every byte in (an ASCII byte replaced by a
    // 3-byte UTF-8 character), and room for a cut-off character's bytes.
    const std::size_t needed = input.size() * 3 + 8;
    if (capacities_[turn_] < needed) {
        buffers_[turn_].reset(new std::uint8_t[needed]); // NOLINT(cppcoreguidelines-owning-memory)
        capacities_[turn_] = needed;
    }
    std::uint8_t* const start = buffers_[turn_].get();
    std::uint8_t* out = start;
    const Flags flags{sawNonAscii_, sawInvalid_, stopAtInvalid_};
    const std::size_t used = encoding_ == Encoding::Gbk ? convertGbk(input, last, out, flags)
                                                        : convertUtf8(input, last, out, flags);
    return {used, {start, static_cast<std::size_t>(out - start)}};
}

} // namespace tolvane
