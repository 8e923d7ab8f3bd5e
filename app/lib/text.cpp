// Text in memory: UTF-16 units, UTF-8 strings and bytes in any encoding.

#include "app/lib/encodings.h"
#include "app/lib/errors.h"
#include "app/lib/table_handle.h"
#include "engine/convert.h"
#include "engine/stream.h"

#include <algorithm>
#include <cstring>

namespace tolvane::lib {

namespace {

class MemorySource : public ByteSource {
  public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t read(std::span<std::uint8_t> buffer) override {
        const std::size_t count = std::min(buffer.size(), bytes_.size() - at_);
        if (count > 0) std::memcpy(buffer.data(), bytes_.data() + at_, count);
        at_ += count;
        return count;
    }
    bool canRewind() const override { return true; }
    void rewind() override { at_ = 0; }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

// Fills the caller's room as far as the output goes and counts all of it, so
// that a caller whose room is too small learns how much it needs.
class RoomSink : public ByteSink {
  public:
    explicit RoomSink(std::span<std::uint8_t> room) : room_(room) {}
    void write(std::span<const std::uint8_t> bytes) override {
        if (!bytes.empty() && bytes.size() <= room_.size() - std::min(size_, room_.size()))
            std::memcpy(room_.data() + size_, bytes.data(), bytes.size());
        size_ += bytes.size();
    }
    void empty() override { size_ = 0; }
    std::size_t size() const { return size_; }

  private:
    std::span<std::uint8_t> room_;
    std::size_t size_ = 0;
};

template <typename T> std::span<T> bytesAt(T* data, std::size_t size, const char* what) {
    if (size > 0) require(data, what);
    return {data, size};
}

void convertBuffer(const tolvane_table* table, Encoding encoding, Encoding output,
                   const void* input, std::size_t size, void* room, std::size_t capacity,
                   std::size_t* outputSize, const char** encodingRead) {
    const 内码对照表& converter = tableOf(table);
    require(outputSize, "output_size");
    MemorySource source(bytesAt(static_cast<const std::uint8_t*>(input), size, "input"));
    RoomSink sink(bytesAt(static_cast<std::uint8_t*>(room), capacity, "output"));
    const StreamResult result = convertStream(
        converter, source, sink, {.encoding = encoding, .output = output}, [] { return false; });
    *outputSize = sink.size();
    if (sink.size() > capacity)
        throw Failure(TOLVANE_ERROR_SPACE, "输出需要 " + std::to_string(sink.size()) +
                                               " 字节，只有 " + std::to_string(capacity) + " 字节");
    if (encodingRead != nullptr) *encodingRead = nameOf(result.encoding);
}

} // namespace

} // namespace tolvane::lib

using namespace tolvane;
using namespace tolvane::lib;

extern "C" {

tolvane_status tolvane_convert_utf16(const tolvane_table* table, const uint16_t* input,
                                     size_t length, uint16_t* output,
                                     tolvane_error** error) noexcept {
    return guarded(error, [&] {
        const 内码对照表& converter = tableOf(table);
        if (length == 0) return;
        require(input, "input");
        require(output, "output");
        std::memmove(output, input, length * sizeof(uint16_t));
        // The units are only ever read and written through this view.
        // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast)
        convertUnits(converter, {reinterpret_cast<char16_t*>(output), length}, true);
    });
}

tolvane_status tolvane_convert_utf8(const tolvane_table* table, const char* input, size_t size,
                                    char* output, size_t capacity, size_t* output_size,
                                    tolvane_error** error) noexcept {
    return guarded(error, [&] {
        convertBuffer(table, Encoding::Utf8, Encoding::Auto, input, size, output, capacity,
                      output_size, nullptr);
    });
}

tolvane_status tolvane_convert_buffer(const tolvane_table* table, const char* encoding,
                                      const char* output_encoding, const void* input, size_t size,
                                      void* output, size_t capacity, size_t* output_size,
                                      const char** encoding_read, tolvane_error** error) noexcept {
    return guarded(error, [&] {
        convertBuffer(table, inputEncoding(encoding), outputEncoding(output_encoding), input, size,
                      output, capacity, output_size, encoding_read);
    });
}

} // extern "C"
