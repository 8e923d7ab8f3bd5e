// Code page 936 keeps any bytes: decoded and encoded again they come back
// byte for byte, stray bytes included, whether decoded whole or in two pieces,
// the cut carried into the second.
// Input: where to cut, text.

#include "fuzz_check.h"
#include "platform/codepage.h"

#include <algorithm>
#include <span>
#include <vector>

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::span<const std::uint8_t> text{data + 1, size - 1};
    std::u16string units;
    const std::size_t used =
        decodeCodePage(CodePage::Gbk, text.first(data[0] % (text.size() + 1)), false, units);
    decodeCodePage(CodePage::Gbk, text.subspan(used), true, units);
    check(units == decodeOem(text), "two pieces give what the whole gives");
    std::vector<std::uint8_t> bytes;
    check(encodeCodePage(CodePage::Gbk, units, bytes) == units.size(), "what decodes encodes");
    check(std::ranges::equal(bytes, text) && encodeOem(units) == bytes, "byte for byte");
    return 0;
}
