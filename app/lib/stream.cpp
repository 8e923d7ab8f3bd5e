// A text converted as it arrives, in pieces of any size; the bytes a piece
// could not use yet wait for the next one.

#include "engine/stream.h"

#include "app/lib/encodings.h"
#include "app/lib/errors.h"
#include "app/lib/table_handle.h"
#include "engine/piece_convert.h"

#include <optional>
#include <vector>

struct tolvane_stream {
    tolvane::TablePtr table;
    tolvane::Encoding output = tolvane::Encoding::Auto;
    std::optional<tolvane::PieceConverter> converter;     // once the encoding is decided
    tolvane::Encoding encoding = tolvane::Encoding::Auto; // the one decided
    std::vector<std::uint8_t>
        waiting; // bytes not used yet: the head "auto" decides by, a cut character
    std::vector<std::uint8_t> given; // a byte-order mark and what follows it
    bool ended = false;
};

namespace tolvane::lib {

namespace {

using Bytes = std::span<const std::uint8_t>;

void decide(tolvane_stream& stream, Encoding encoding) {
    stream.converter.emplace(*stream.table, encoding, stream.output);
    stream.encoding = encoding;
}

// "auto" decides by a text's first piece, as on a pipe: once that much has
// arrived, or the text has ended. False while waiting for it.
bool decided(tolvane_stream& stream, Bytes& input, bool last) {
    if (stream.converter) return true;
    stream.waiting.insert(stream.waiting.end(), input.begin(), input.end());
    input = {};
    if (stream.waiting.size() < kPieceSize && !last) return false;
    const Detection detected = detectEncoding(stream.waiting, last);
    decide(stream, detected.encoding);
    const Bytes mark =
        markWritten(Bytes(stream.waiting).first(detected.markSize), detected.encoding,
                    stream.output == Encoding::Auto ? detected.encoding : stream.output);
    stream.given.assign(mark.begin(), mark.end());
    stream.waiting.erase(stream.waiting.begin(),
                         stream.waiting.begin() + static_cast<std::ptrdiff_t>(detected.markSize));
    return true;
}

Bytes convert(tolvane_stream& stream, Bytes input, bool last) {
    stream.given.clear();
    if (!decided(stream, input, last)) return {};
    PieceConverter::Result result{};
    if (stream.waiting.empty()) {
        result = stream.converter->convert(input, last);
        stream.waiting.assign(input.begin() + static_cast<std::ptrdiff_t>(result.used),
                              input.end());
    } else {
        stream.waiting.insert(stream.waiting.end(), input.begin(), input.end());
        result = stream.converter->convert(stream.waiting, last);
        stream.waiting.erase(stream.waiting.begin(),
                             stream.waiting.begin() + static_cast<std::ptrdiff_t>(result.used));
    }
    if (stream.given.empty()) return result.bytes;
    stream.given.insert(stream.given.end(), result.bytes.begin(), result.bytes.end());
    return stream.given;
}

} // namespace

} // namespace tolvane::lib

using namespace tolvane;
using namespace tolvane::lib;

extern "C" {

tolvane_status tolvane_stream_open(const tolvane_table* table, const char* encoding,
                                   const char* output_encoding, tolvane_stream** result,
                                   tolvane_error** error) noexcept {
    return guarded(error, [&] {
        tableOf(table);
        require(result, "result");
        auto stream = std::make_unique<tolvane_stream>();
        stream->table = table->table;
        const Encoding requested = inputEncoding(encoding);
        stream->output = outputEncoding(output_encoding);
        if (requested != Encoding::Auto) decide(*stream, requested);
        *result = stream.release();
    });
}

tolvane_status tolvane_stream_convert(tolvane_stream* stream, const void* input, size_t size,
                                      int last, const void** output, size_t* output_size,
                                      tolvane_error** error) noexcept {
    return guarded(error, [&] {
        require(stream, "stream");
        require(output, "output");
        require(output_size, "output_size");
        if (size > 0) require(input, "input");
        if (stream->ended) throw Failure(TOLVANE_ERROR_ARGUMENT, "流已经结束");
        const Bytes bytes =
            convert(*stream, {static_cast<const std::uint8_t*>(input), size}, last != 0);
        stream->ended = last != 0;
        *output = bytes.empty() ? nullptr : bytes.data();
        *output_size = bytes.size();
    });
}

const char* tolvane_stream_encoding(const tolvane_stream* stream) noexcept {
    if (stream == nullptr || !stream->converter) return nullptr;
    return nameOf(stream->encoding);
}

void tolvane_stream_free(tolvane_stream* stream) noexcept {
    delete stream;
}

} // extern "C"
