#pragma once
// A text converted from a source to a sink in pieces of fixed size, so that
// memory stays the same whatever the text's size.

#include "engine/encoding.h"
#include "engine/table.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <span>

namespace tolvane {

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Fills buffer, or as much of it as is left; 0 at the end. Throws Error.
    virtual std::size_t read(std::span<std::uint8_t> buffer) = 0;
    virtual bool canRewind() const = 0;
    virtual void rewind() = 0; // back to the first byte; throws Error
};

class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual void write(std::span<const std::uint8_t> bytes) = 0; // throws Error
    // Forgets everything written, for a start from the beginning. Throws Error.
    virtual void empty() = 0;
};

inline constexpr std::size_t kPieceSize = std::size_t{1} << 20;

struct StreamResult {
    bool cancelled = false;
    Encoding encoding = Encoding::Gbk; // the one the text was read and written in
    std::uint64_t changedUnits = 0;    // with countChanges: the code units replaced
    // With countChanges: the CannotEncode the conversion would have thrown.
    std::exception_ptr refusal;
};

struct StreamRequest {
    Encoding encoding = Encoding::Auto;
    // The encoding written; Auto: the one read. UTF-16 written from text in
    // another encoding begins with a byte-order mark, UTF-8 only when the
    // text read had one.
    Encoding output = Encoding::Auto;
    // Counts the code units the conversion replaces, for a dry run.
    bool countChanges = false;
};

// The byte-order mark a text written begins with: the text's own (mark, as
// read), kept as it is when it is written in its encoding; in another,
// UTF-16's always, UTF-8's when the text had one.
std::span<const std::uint8_t> markWritten(std::span<const std::uint8_t> mark, Encoding read,
                                          Encoding written);

// Converts the whole source into the sink through table, asking stop() after
// every piece whether to stop there. With Auto the encoding is detected: a
// byte-order mark decides and is kept; otherwise the text is taken as UTF-8
// and taken again from its start in the Chinese code page its first piece
// shows (encoding.h) as soon as it proves not to be UTF-8 with a non-ASCII
// character. A source that cannot go back is decided by its first piece
// instead. Throws CannotEncode, and what the source and sink throw.
StreamResult convertStream(const 内码对照表& table, ByteSource& source, ByteSink& sink,
                           const StreamRequest& request, const std::function<bool()>& stop);

} // namespace tolvane
