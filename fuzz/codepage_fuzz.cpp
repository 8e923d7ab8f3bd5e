// Code page 936 and UTF-8 file names keep any bytes through decoding and encoding.

#include "fuzz_check.h"
#include "platform/codepage.h"
#include "platform/utf8.h"

#include <algorithm>
#include <vector>

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    check(std::ranges::equal(encodeOem(decodeOem(bytes)), bytes), "936 bytes kept");
    // One input in eight puts a lead byte across the chunked decoder's 32768-byte step.
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
    check(chunked == encoded && encodeOem(decodeOem(encoded)) == encoded, "936 encoding stable");
    const std::string name(reinterpret_cast<const char*>(data), size);
    check(toUtf8(fromUtf8(name)) == name, "UTF-8 bytes kept");
    const bool surrogates =
        std::ranges::any_of(text, [](char16_t u) { return u >= 0xD800 && u <= 0xDFFF; });
    check(surrogates || fromUtf8(toUtf8(text)) == text, "text without surrogates kept");
    return 0;
}
