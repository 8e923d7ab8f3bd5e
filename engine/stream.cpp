#include "engine/stream.h"

#include "engine/background_writer.h"
#include "engine/piece_convert.h"

#include <cstring>
#include <memory>
#include <optional>

namespace tolvane {

namespace {

// The room for the bytes of a character cut off at a piece's end.
constexpr std::size_t kCarryRoom = 8;

class PieceReader {
  public:
    explicit PieceReader(ByteSource& source)
        : source_(source), buffer_(new std::uint8_t[kPieceSize + kCarryRoom]) {}

    // The next piece, after the bytes the previous one left over; last when
    // the source has no more.
    std::span<const std::uint8_t> next(bool& last) {
        const std::size_t wanted = kPieceSize + kCarryRoom - carried_;
        const std::size_t got = source_.read({buffer_.get() + carried_, wanted});
        last = got < wanted;
        return {buffer_.get(), carried_ + got};
    }
    // Keeps the unused end of the piece for the next one.
    void carry(std::span<const std::uint8_t> piece, std::size_t used) {
        carried_ = piece.size() - used;
        std::memmove(buffer_.get(), piece.data() + used, carried_);
    }
    void restart() { carried_ = 0; }

  private:
    ByteSource& source_;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t carried_ = 0;
};

struct Choice {
    Encoding encoding;
    std::size_t markSize;
    bool tentative; // UTF-8 until the text proves otherwise
};

Choice choose(Encoding requested, std::span<const std::uint8_t> head, bool whole, bool canRewind) {
    if (requested != Encoding::Auto) return {requested, 0, false};
    const Detection marked = detectByteOrderMark(head);
    if (marked.encoding != Encoding::Auto) return {marked.encoding, marked.markSize, false};
    if (!canRewind) return {detectEncoding(head, whole).encoding, 0, false};
    return {Encoding::Utf8, 0, true};
}

enum class Pass { Done, PureAscii, Cancelled, NotUtf8 };

// Writes in line while the text is one piece; from the second piece on, one
// piece is written on a thread of its own while the next is read and converted.
class PieceWriter {
  public:
    explicit PieceWriter(ByteSink& sink) : sink_(sink) {}

    void write(std::span<const std::uint8_t> bytes, bool more) {
        if (more && !background_) background_.emplace(sink_);
        if (background_) {
            background_->write(bytes);
        } else if (!bytes.empty()) {
            sink_.write(bytes);
        }
    }
    void finish() {
        if (background_) background_->finish();
    }

  private:
    ByteSink& sink_;
    std::optional<BackgroundWriter> background_;
};

// One pass over the text in the chosen encoding, from the piece already read.
Pass convertPieces(PieceReader& reader, std::span<const std::uint8_t> piece, bool last,
                   ByteSink& sink, const Choice& choice, const std::function<bool()>& stop) {
    PieceConverter converter(choice.encoding);
    if (choice.tentative) converter.stopAtInvalid();
    PieceWriter writer(sink);
    // The mark goes out before the first piece's bytes are read over.
    sink.write(piece.first(choice.markSize));
    piece = piece.subspan(choice.markSize);
    for (;;) {
        const PieceConverter::Result result = converter.convert(piece, last);
        if (choice.tentative && converter.sawInvalid()) {
            writer.finish();
            return Pass::NotUtf8;
        }
        // Pure ASCII is code page 936, which gives other bytes only when the
        // table turns ASCII into something else.
        if (last && choice.tentative && !converter.sawNonAscii() && tableMovesAscii()) {
            writer.finish();
            return Pass::NotUtf8;
        }
        writer.write(result.bytes, !last);
        const bool stopped = stop();
        if (stopped || last) {
            writer.finish();
            if (stopped) return Pass::Cancelled;
            return choice.tentative && !converter.sawNonAscii() ? Pass::PureAscii : Pass::Done;
        }
        reader.carry(piece, result.used);
        piece = reader.next(last);
    }
}

} // namespace

StreamResult convertStream(ByteSource& source, ByteSink& sink, Encoding encoding,
                           const std::function<bool()>& stop) {
    PieceReader reader(source);
    bool last = false;
    std::span<const std::uint8_t> piece = reader.next(last);
    Choice choice = choose(encoding, piece, last, source.canRewind());
    Pass pass = convertPieces(reader, piece, last, sink, choice, stop);
    if (pass == Pass::NotUtf8) {
        sink.empty();
        source.rewind();
        reader.restart();
        piece = reader.next(last);
        choice = {Encoding::Gbk, 0, false};
        pass = convertPieces(reader, piece, last, sink, choice, stop);
    }
    // Pure ASCII is code page 936 text, though UTF-8 gave the same bytes.
    return {pass == Pass::Cancelled, pass == Pass::PureAscii ? Encoding::Gbk : choice.encoding};
}

} // namespace tolvane
