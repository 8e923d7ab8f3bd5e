// Code page 936 and UTF-8 on any bytes and any code units.
//
// Code page 936: decoding then encoding gives the bytes back, stray bytes
// included; encoding a text and decoding it again is stable; the chunked
// coders agree with the whole-text ones, also across a chunk's end.
// UTF-8 file names: any bytes survive decoding and encoding; text without
// surrogates survives encoding and decoding.

#include "fuzz_check.h"
#include "platform/codepage.h"
#include "platform/utf8.h"

#include <algorithm>
#include <vector>

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const std::vector<std::uint8_t> again = encodeOem(decodeOem(bytes));
    check(std::ranges::equal(again, bytes), "936 bytes kept through decoding and encoding");
    // The chunked decoder works in 32768-byte steps: put a character that
    // starts with a lead byte across the end of the first. Decoding 32 KB
    // costs a hundred small inputs, so only one input in eight does it.
    if (size % 8 == 1 && isGbkLeadByte(data[0])) {
        std::vector<std::uint8_t> padded(32767, 'a');
        padded.insert(padded.end(), bytes.begin(), bytes.end());
        std::vector<char16_t> units;
        decodeOemInto(padded, units);
        check(std::ranges::equal(units, decodeOem(padded)), "chunked 936 decoding agrees");
    }

    const std::u16string text = unitsOf(data, size);
    const std::vector<std::uint8_t> encoded = encodeOem(text);
    std::vector<std::uint8_t> chunked;
    encodeOemInto(text, chunked);
    check(chunked == encoded, "chunked 936 encoding agrees");
    check(encodeOem(decodeOem(encoded)) == encoded, "936 encoding stable");

    const std::string name(reinterpret_cast<const char*>(data), size);
    check(toUtf8(fromUtf8(name)) == name, "UTF-8 bytes kept");
    const std::string utf8 = toUtf8(text);
    check(toUtf8(fromUtf8(utf8)) == utf8, "UTF-8 encoding stable");
    const bool surrogates =
        std::ranges::any_of(text, [](char16_t u) { return u >= 0xD800 && u <= 0xDFFF; });
    check(surrogates || fromUtf8(utf8) == text, "text without surrogates kept through UTF-8");
    return 0;
}
