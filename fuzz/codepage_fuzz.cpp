// Code page 936 and UTF-8 on any bytes and any code units.
//
// Code page 936: decoding then encoding gives the bytes back, stray bytes
// included; encoding a text and decoding it again is stable; the chunked
// decoder agrees with the whole-text one, also across a chunk's end.
// UTF-8 file names: any bytes survive decoding and encoding; text without
// surrogates survives encoding and decoding.

#include "platform/codepage.h"
#include "platform/utf8.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace tolvane;

void fail(const char* what) {
    std::fprintf(stderr, "code pages: %s\n", what);
    std::abort();
}

bool hasSurrogate(const std::u16string& text) {
    for (const char16_t unit : text)
        if (unit >= 0xD800 && unit <= 0xDFFF) return true;
    return false;
}

void checkCodePage(std::span<const std::uint8_t> bytes) {
    const std::u16string text = decodeOem(bytes);
    const std::vector<std::uint8_t> again = encodeOem(text);
    if (!std::equal(again.begin(), again.end(), bytes.begin(), bytes.end()))
        fail("936 bytes not kept through decoding and encoding");

    // The chunked decoder works in 32768-byte steps: put a character that
    // starts with a lead byte across the end of the first. Decoding 32 KB
    // costs a hundred small inputs, so only one input in eight does it.
    if (bytes.size() % 8 != 1 || !isGbkLeadByte(bytes[0])) return;
    std::vector<std::uint8_t> padded(32767, 'a');
    padded.insert(padded.end(), bytes.begin(), bytes.end());
    std::vector<char16_t> units;
    decodeOemInto(padded, units);
    const std::u16string whole = decodeOem(padded);
    if (!std::equal(units.begin(), units.end(), whole.begin(), whole.end()))
        fail("chunked 936 decoding differs");
}

void checkCodePageText(const std::u16string& text) {
    const std::vector<std::uint8_t> bytes = encodeOem(text);
    std::vector<std::uint8_t> chunked;
    encodeOemInto(text, chunked);
    if (chunked != bytes) fail("936 encoders differ");
    if (encodeOem(decodeOem(bytes)) != bytes) fail("936 encoding not stable");
}

void checkUtf8(const std::string& bytes, const std::u16string& text) {
    if (toUtf8(fromUtf8(bytes)) != bytes) fail("UTF-8 bytes not kept");
    const std::string encoded = toUtf8(text);
    if (toUtf8(fromUtf8(encoded)) != encoded) fail("UTF-8 encoding not stable");
    if (!hasSurrogate(text) && fromUtf8(encoded) != text) fail("text not kept through UTF-8");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    checkCodePage({data, size});
    checkCodePageText(units);
    checkUtf8({reinterpret_cast<const char*>(data), size}, units);
    return 0;
}
