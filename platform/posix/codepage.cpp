#include "platform/codepage.h"

#include <algorithm>
#include <array>
#include <iconv.h>
#include <memory>
#include <stdexcept>

namespace tolvane {

namespace {

// A byte that is not valid in the code page (always 0x80 or above) lands on
// U+DC80..U+DCFF, and such a code unit goes back to that byte.
constexpr char16_t kStrayBase = 0xDC00;
constexpr bool isStray(char16_t unit) {
    return unit >= 0xDC80 && unit <= 0xDCFF;
}

constexpr std::uint8_t kUnrepresentable = '0';

// iconv defines the code page; it is asked once about every byte sequence and
// every code unit, and the answers are kept in tables that the loops use.
class Iconv {
  public:
    Iconv(const char* to, const char* from) : handle_(::iconv_open(to, from)) {
        // iconv_open reports failure as the handle (iconv_t)-1.
        if (handle_ == reinterpret_cast<iconv_t>(-1)) // NOLINT(performance-no-int-to-ptr)
            throw std::runtime_error("iconv cannot convert code page 936");
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    ~Iconv() { ::iconv_close(handle_); }

    // The whole input converted, or an empty result when iconv refuses any of it.
    std::size_t convert(const void* input, std::size_t inputSize, void* output,
                        std::size_t outputSize) {
        ::iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* in = static_cast<char*>(const_cast<void*>(input));
        char* out = static_cast<char*>(output);
        std::size_t outLeft = outputSize;
        if (::iconv(handle_, &in, &inputSize, &out, &outLeft) == static_cast<std::size_t>(-1))
            return 0;
        return outputSize - outLeft;
    }

  private:
    iconv_t handle_;
};

using Tables = CodePage936;

// The one code unit a converted sequence gave, or 0 when it gave something else.
char16_t singleUnit(const std::array<std::uint8_t, 8>& out, std::size_t size) {
    if (size != 2) return 0;
    return static_cast<char16_t>(out[0] | (out[1] << 8));
}

void fillPairs(Iconv& toUtf16, unsigned lead, Tables& tables) {
    std::array<std::uint8_t, 8> out{};
    for (unsigned trail = 0; trail < 256; ++trail) {
        const std::array<std::uint8_t, 2> two{static_cast<std::uint8_t>(lead),
                                              static_cast<std::uint8_t>(trail)};
        const char16_t unit =
            singleUnit(out, toUtf16.convert(two.data(), 2, out.data(), out.size()));
        if (!isStray(unit)) tables.pair[lead << 8 | trail] = unit;
    }
}

void fillDecoding(Tables& tables) {
    Iconv toUtf16("UTF-16LE", "CP936");
    std::array<std::uint8_t, 8> out{};
    for (unsigned lead = 0; lead < 256; ++lead) {
        const std::array<std::uint8_t, 1> one{static_cast<std::uint8_t>(lead)};
        if (toUtf16.convert(one.data(), 1, out.data(), out.size()) == 2) {
            tables.single[lead] = singleUnit(out, 2);
            tables.isSingle[lead] = true;
        } else {
            tables.single[lead] = static_cast<char16_t>(kStrayBase + lead);
            fillPairs(toUtf16, lead, tables);
        }
    }
}

std::uint16_t encodingOf(Iconv& fromUtf16, char16_t unit) {
    if (isStray(unit)) return static_cast<std::uint16_t>(unit - kStrayBase);
    const std::array<std::uint8_t, 2> in{static_cast<std::uint8_t>(unit & 0xFF),
                                         static_cast<std::uint8_t>(unit >> 8)};
    std::array<std::uint8_t, 8> out{};
    const std::size_t size = fromUtf16.convert(in.data(), 2, out.data(), out.size());
    if (size == 1) return out[0];
    if (size == 2 && out[0] >= 0x80) return static_cast<std::uint16_t>(out[0] << 8 | out[1]);
    return kUnrepresentable;
}

void fillEncoding(Tables& tables) {
    Iconv fromUtf16("CP936", "UTF-16LE");
    for (unsigned unit = 0; unit < 65536; ++unit)
        tables.encode[unit] = encodingOf(fromUtf16, static_cast<char16_t>(unit));
}

} // namespace

const CodePage936& codePage936() {
    static const std::unique_ptr<const Tables> built = [] {
        auto fresh = std::make_unique<Tables>();
        fillDecoding(*fresh);
        fillEncoding(*fresh);
        return fresh;
    }();
    return *built;
}

namespace {

const Tables& tables() {
    return codePage936();
}

// Decodes the characters that start before stop into out (room for one unit
// per byte) and returns where the next character starts: the last one may end
// one byte after stop, never after end. The branches follow the text, which
// the processor predicts well; the pair lookup stays off the path that
// decides where the next character starts.
const std::uint8_t* decodeTo(const std::uint8_t* in, const std::uint8_t* stop,
                             const std::uint8_t* end, char16_t*& out) {
    const Tables& t = tables();
    while (in < stop) {
        const std::uint8_t lead = *in++;
        const char16_t unit = t.isSingle[lead] || in == end ? 0 : t.pair[lead << 8 | *in];
        if (unit != 0) {
            *out++ = unit;
            ++in;
        } else {
            *out++ = t.single[lead]; // a character by itself, or a stray byte
        }
    }
    return in;
}

// Encodes into out (room for two bytes per unit); returns the bytes written.
std::size_t encodeTo(std::span<const char16_t> units, std::uint8_t* out) {
    const auto& encode = tables().encode;
    std::uint8_t* const start = out;
    for (const char16_t unit : units) {
        const std::uint16_t code = encode[unit];
        if (code >= 0x100) *out++ = static_cast<std::uint8_t>(code >> 8);
        *out++ = static_cast<std::uint8_t>(code);
    }
    return static_cast<std::size_t>(out - start);
}

} // namespace

// Decodes through a small buffer that stays in the cache, so that a large
// text touches only the memory its code units need.
void decodeOemInto(std::span<const std::uint8_t> bytes, std::vector<char16_t>& units) {
    constexpr std::size_t kChunkBytes = 32768;
    std::array<char16_t, kChunkBytes> chunk{};
    units.clear();
    units.reserve(bytes.size());
    const std::uint8_t* in = bytes.data();
    const std::uint8_t* const end = in + bytes.size();
    while (in != end) {
        const std::uint8_t* const stop = in + std::min<std::size_t>(kChunkBytes, end - in);
        char16_t* out = chunk.data();
        in = decodeTo(in, stop, end, out);
        units.insert(units.end(), chunk.data(), out);
    }
}

void encodeOemInto(std::span<const char16_t> units, std::vector<std::uint8_t>& bytes) {
    bytes.resize(units.size() * 2);
    bytes.resize(encodeTo(units, bytes.data()));
}

std::u16string decodeOem(std::span<const std::uint8_t> bytes) {
    std::u16string text(bytes.size(), u'\0');
    char16_t* out = text.data();
    decodeTo(bytes.data(), bytes.data() + bytes.size(), bytes.data() + bytes.size(), out);
    text.resize(static_cast<std::size_t>(out - text.data()));
    return text;
}

std::vector<std::uint8_t> encodeOem(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    encodeOemInto(text, bytes);
    return bytes;
}

// Both code pages are 936 on the systems the program is made for.
std::u16string decodeAnsi(std::span<const std::uint8_t> bytes) {
    return decodeOem(bytes);
}
std::vector<std::uint8_t> encodeAnsi(std::u16string_view text) {
    return encodeOem(text);
}

} // namespace tolvane
