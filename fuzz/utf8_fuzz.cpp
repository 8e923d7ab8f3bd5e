// Any bytes survive UTF-8 and back, as file names must: a byte that is not
// part of valid UTF-8 becomes its stray-byte unit and returns as itself. Valid
// UTF-8 decodes without one.

#include "fuzz_check.h"
#include "platform/codepage.h"
#include "platform/utf8.h"

#include <algorithm>
#include <string_view>

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string units = fromUtf8(bytes);
    check(toUtf8(units) == bytes, "any bytes survive");
    bool valid = true;
    for (std::size_t at = 0; at < size && valid;) {
        const int length = utf8SequenceAt({data, size}, at);
        valid = length > 0;
        at += static_cast<std::size_t>(std::max(length, 1));
    }
    bool stray = false; // a lone one: after a high surrogate it is half of a character
    for (std::size_t i = 0; i < units.size(); ++i)
        stray = stray || (isStrayByteUnit(units[i]) &&
                          (i == 0 || units[i - 1] < 0xD800 || units[i - 1] > 0xDBFF));
    check(valid != stray, "stray bytes only where not valid");
    return 0;
}
