// Big5 (code page 950) and GB18030 against the system's iconv, which the
// tables were made from: every character decodes to what iconv decodes it to
// and a stray byte is where iconv finds no character; every character encodes
// to what iconv writes, or is refused where iconv refuses it. A text decoded
// in two pieces gives what it gives whole. What decodes encodes back: byte
// for byte but for the characters that have a second form, which go back in
// their first one.
// Input: code page and direction (bits 0-1), where to cut, text (units of
// UTF-16LE when encoding).

#include "fuzz_check.h"
#include "platform/codepage.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iconv.h>
#include <span>
#include <vector>

using namespace tolvane;

namespace {

// The input read as UTF-16 code units; an odd last byte is left out.
std::u16string unitsOf(const std::uint8_t* data, std::size_t size) {
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    return units;
}

struct Converter {
    iconv_t handle;
    Converter(const char* to, const char* from) : handle(iconv_open(to, from)) {
        check(handle != reinterpret_cast<iconv_t>(-1), "iconv knows the code page"); // NOLINT
    }
    // The input's first character: how many bytes iconv converted it from and
    // into, 0 and 0 when it finds none there.
    std::pair<std::size_t, std::size_t> first(std::span<const std::uint8_t> input,
                                              std::span<std::uint8_t> output) const {
        iconv(handle, nullptr, nullptr, nullptr, nullptr);
        auto* in = reinterpret_cast<char*>(const_cast<std::uint8_t*>(input.data()));
        auto* out = reinterpret_cast<char*>(output.data());
        std::size_t inLeft = input.size(), outLeft = output.size();
        iconv(handle, &in, &inLeft, &out, &outLeft);
        return {input.size() - inLeft, output.size() - outLeft};
    }
};

char32_t codePoint(std::u16string_view units) {
    return units.size() == 1 ? units[0]
                             : 0x10000 + ((units[0] - 0xD800) << 10) + (units[1] - 0xDC00);
}

void checkDecoding(CodePage page, const Converter& toUtf32, std::span<const std::uint8_t> text,
                   std::size_t cut) {
    std::u16string whole;
    bool oneForm = true; // no character in its second form
    for (std::size_t at = 0; at < text.size();) {
        std::u16string units;
        const std::size_t used = decodeCharacter(page, text.subspan(at), true, units);
        std::array<std::uint8_t, 4> out{}; // room for one character
        const auto [read, written] =
            toUtf32.first(text.subspan(at, std::min<std::size_t>(4, text.size() - at)), out);
        if (used == 1 && isStrayByteUnit(units[0])) {
            check(written == 0, "a stray byte where iconv finds no character");
        } else {
            const char32_t expected = out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24;
            check(read == used && written == 4 && codePoint(units) == expected,
                  "a character as iconv decodes it");
        }
        std::vector<std::uint8_t> bytes;
        check(encodeCodePage(page, units, bytes) == units.size(), "what decodes encodes");
        std::u16string again;
        decodeCodePage(page, bytes, true, again);
        check(again == units, "and decodes back alike");
        oneForm = oneForm && std::ranges::equal(bytes, text.subspan(at, used));
        whole += units;
        at += used;
    }
    std::u16string pieces;
    const std::size_t used = decodeCodePage(page, text.first(cut), false, pieces);
    decodeCodePage(page, text.subspan(used), true, pieces);
    check(pieces == whole, "two pieces give what the whole gives");
    std::vector<std::uint8_t> bytes;
    encodeCodePage(page, whole, bytes);
    check(!oneForm || std::ranges::equal(bytes, text), "bytes come back as they were");
}

void checkEncoding(CodePage page, const Converter& fromUtf16, std::u16string_view units) {
    std::vector<std::uint8_t> expected;
    std::size_t fits = 0;
    while (fits < units.size()) {
        const bool pair = fits + 1 < units.size() && units[fits] >= 0xD800 &&
                          units[fits] <= 0xDBFF && units[fits + 1] >= 0xDC00 &&
                          units[fits + 1] <= 0xDFFF;
        const std::u16string_view character = units.substr(fits, pair ? 2 : 1);
        std::vector<std::uint8_t> ours;
        const bool encoded = encodeCodePage(page, character, ours) == character.size();
        if (isStrayByteUnit(character[0]) && !pair) {
            check(encoded && ours.size() == 1 && ours[0] == (character[0] & 0xFF), "a stray byte");
        } else {
            std::array<std::uint8_t, 8> out{};
            const auto [read, written] = fromUtf16.first(
                {reinterpret_cast<const std::uint8_t*>(character.data()), character.size() * 2},
                out);
            const bool iconvEncoded = read == character.size() * 2;
            check(encoded == iconvEncoded, "refused where iconv refuses");
            check(!encoded ||
                      std::equal(ours.begin(), ours.end(), out.begin(), out.begin() + written),
                  "the bytes iconv writes");
        }
        if (!encoded) break;
        expected.insert(expected.end(), ours.begin(), ours.end());
        fits += character.size();
    }
    std::vector<std::uint8_t> bytes;
    check(firstUnencodable(page, units) == fits && encodeCodePage(page, units, bytes) == fits &&
              bytes == expected,
          "the whole stops at the first character that does not fit");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Converter big5ToUtf32("UTF-32LE", "CP950"), gb18030ToUtf32("UTF-32LE", "GB18030");
    static const Converter big5FromUtf16("CP950", "UTF-16LE"),
        gb18030FromUtf16("GB18030", "UTF-16LE");
    if (size < 2) return 0;
    const bool gb18030 = (data[0] & 1) != 0;
    const CodePage page = gb18030 ? CodePage::Gb18030 : CodePage::Big5;
    const std::span<const std::uint8_t> text{data + 2, size - 2};
    if ((data[0] & 2) == 0)
        checkDecoding(page, gb18030 ? gb18030ToUtf32 : big5ToUtf32, text,
                      data[1] % (text.size() + 1));
    else
        checkEncoding(page, gb18030 ? gb18030FromUtf16 : big5FromUtf16,
                      unitsOf(text.data(), text.size()));
    return 0;
}
