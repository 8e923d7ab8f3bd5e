// The C interface's buffer calls on any text: a stream fed in pieces of any
// size gives what the whole buffer gives, in every encoding and with "auto";
// the UTF-8 call is the buffer call in UTF-8; too little room gives the size
// needed; UTF-16 converted in place is what it is into another array.
// Input: the encoding (byte 0), the piece size (byte 1), then the text.

#include "fuzz_check.h"
#include "tests/lib/c_api_support.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// The tests' table, with a phrase rule and a character that grows; opened once.
const tolvane_table* table() {
    static const tolvane::testing::ScratchTable scratch;
    static const tolvane::testing::OwnedTable opened = scratch.open();
    return opened.get();
}

Bytes wholeBuffer(const char* encoding, const Bytes& text) {
    Bytes output(TOLVANE_OUTPUT_BOUND(text.size()));
    std::size_t size = 0;
    check(tolvane_convert_buffer(table(), encoding, nullptr, text.data(), text.size(),
                                 output.data(), output.size(), &size, nullptr,
                                 nullptr) == TOLVANE_OK,
          "the bound is room enough");
    output.resize(size);
    if (size > 0) {
        std::size_t needed = 0;
        check(tolvane_convert_buffer(table(), encoding, nullptr, text.data(), text.size(),
                                     output.data(), size - 1, &needed, nullptr,
                                     nullptr) == TOLVANE_ERROR_SPACE &&
                  needed == size,
              "too little room tells the size needed");
    }
    return output;
}

Bytes inPieces(const char* encoding, const Bytes& text, std::size_t pieceSize) {
    tolvane_stream* stream = nullptr;
    tolvane_stream_open(table(), encoding, nullptr, &stream, nullptr);
    Bytes output;
    for (std::size_t at = 0;;) {
        const std::size_t size = std::min(pieceSize, text.size() - at);
        const bool last = at + size == text.size();
        const void* bytes = nullptr;
        std::size_t given = 0;
        check(tolvane_stream_convert(stream, text.data() + at, size, last, &bytes, &given,
                                     nullptr) == TOLVANE_OK,
              "a piece converts");
        const auto* first = static_cast<const std::uint8_t*>(bytes);
        output.insert(output.end(), first, first + given);
        at += size;
        if (last) break;
    }
    tolvane_stream_free(stream);
    return output;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr const char* kEncodings[] = {"auto", "gbk", "utf-8", "utf-16le", "utf-16be"};
    if (size < 2) return 0;
    const char* encoding = kEncodings[data[0] % 5];
    const std::size_t pieceSize = 1 + data[1] % 64;
    const Bytes text(data + 2, data + size);

    const Bytes whole = wholeBuffer(encoding, text);
    check(inPieces(encoding, text, pieceSize) == whole, "pieces give what the whole gives");
    if (encoding == std::string("utf-8")) {
        std::string output(TOLVANE_OUTPUT_BOUND(text.size()), '\0');
        std::size_t written = 0;
        tolvane_convert_utf8(table(), reinterpret_cast<const char*>(text.data()), text.size(),
                             output.data(), output.size(), &written, nullptr);
        check(output.substr(0, written) == std::string(whole.begin(), whole.end()),
              "the UTF-8 call is the buffer call in UTF-8");
    }
    std::vector<std::uint16_t> units(text.size() / 2), apart(units.size());
    if (!units.empty()) std::memcpy(units.data(), text.data(), units.size() * 2);
    tolvane_convert_utf16(table(), units.data(), units.size(), apart.data(), nullptr);
    tolvane_convert_utf16(table(), units.data(), units.size(), units.data(), nullptr);
    check(units == apart, "in place as into another array");
    return 0;
}
