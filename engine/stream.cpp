#include "engine/stream.h"

#include "engine/background_task.h"
#include "engine/fast_tables.h"
#include "engine/split_convert.h"

#include <cstring>
#include <memory>
#include <optional>

namespace tolvane {

namespace {

class PieceReader {
  public:
    // carryRoom: the most bytes a piece leaves to the next.
    PieceReader(ByteSource& source, std::size_t carryRoom)
        : source_(source), carryRoom_(carryRoom),
          buffer_(new std::uint8_t[kPieceSize + carryRoom]) {}

    // The next piece, after the bytes the previous one left over; last when
    // the source has no more.
    std::span<const std::uint8_t> next(bool& last) {
        const std::size_t wanted = kPieceSize + carryRoom_ - carried_;
        const std::size_t got = source_.read({buffer_.get() + carried_, wanted});
        last = got < wanted;
        return {buffer_.get(), carried_ + got};
    }
    // Keeps the unused end of the piece for the next one.
    void carry(std::span<const std::uint8_t> piece, std::size_t used) {
        carried_ = piece.size() - used;
        std::memmove(buffer_.get(), piece.data() + used, carried_);
    }
    // Back to the source's first byte.
    void restart() {
        source_.rewind();
        carried_ = 0;
    }

  private:
    ByteSource& source_;
    std::size_t carryRoom_;
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

    void write(const SplitConverter::Result& piece, bool more) {
        if (more && !background_) background_.emplace();
        if (!background_) {
            writeNow(piece.first, piece.second);
            return;
        }
        background_->start(
            [this, first = piece.first, second = piece.second] { writeNow(first, second); });
    }
    void finish() {
        if (background_) background_->wait();
    }

  private:
    void writeNow(std::span<const std::uint8_t> first, std::span<const std::uint8_t> second) {
        if (!first.empty()) sink_.write(first);
        if (!second.empty()) sink_.write(second);
    }

    ByteSink& sink_;
    std::optional<BackgroundTask> background_;
};

// The passes over one text: a tentative UTF-8 pass may give way to one in
// code page 936 from the start.
class Passes {
  public:
    Passes(const 内码对照表& table, ByteSource& source, ByteSink& sink,
           const StreamRequest& request, const std::function<bool()>& stop)
        : table_(table), reader_(source, PieceConverter(table, Encoding::Utf8).keptBack()),
          sink_(sink), request_(request), stop_(stop) {}

    // One pass over the text in the chosen encoding, from the piece already read.
    Pass run(std::span<const std::uint8_t> piece, bool last, const Choice& choice) {
        const Encoding output =
            request_.output == Encoding::Auto ? choice.encoding : request_.output;
        SplitConverter converter(table_, choice.encoding, output);
        if (choice.tentative) converter.stopAtInvalid();
        if (request_.countChanges) converter.countChanges();
        PieceWriter writer(sink_);
        // The mark goes out before the first piece's bytes are read over.
        sink_.write(markWritten(piece.first(choice.markSize), choice.encoding, output));
        piece = piece.subspan(choice.markSize);
        for (;;) {
            const SplitConverter::Result result = converter.convert(piece, last);
            if (choice.tentative && converter.sawInvalid()) {
                writer.finish();
                return Pass::NotUtf8;
            }
            // Pure ASCII is code page 936, which gives other bytes only when the
            // table turns ASCII into something else.
            if (last && choice.tentative && !converter.sawNonAscii() && table_.fast().movesAscii) {
                writer.finish();
                return Pass::NotUtf8;
            }
            writer.write(result, !last);
            const bool stopped = stop_();
            if (stopped || last) {
                writer.finish();
                changedUnits_ = converter.changedUnits();
                refusal_ = converter.refusal();
                if (stopped) return Pass::Cancelled;
                return choice.tentative && !converter.sawNonAscii() ? Pass::PureAscii : Pass::Done;
            }
            reader_.carry(piece, result.used);
            piece = reader_.next(last);
        }
    }

    StreamResult convert(bool canRewind) {
        bool last = false;
        std::span<const std::uint8_t> piece = reader_.next(last);
        Choice choice = choose(request_.encoding, piece, last, canRewind);
        Pass pass = run(piece, last, choice);
        if (pass == Pass::NotUtf8) {
            sink_.empty();
            reader_.restart();
            piece = reader_.next(last);
            choice = {detectChineseEncoding(piece), 0, false};
            pass = run(piece, last, choice);
        }
        // Pure ASCII is code page 936 text, though UTF-8 gave the same bytes.
        const Encoding encoding = pass == Pass::PureAscii ? Encoding::Gbk : choice.encoding;
        return {pass == Pass::Cancelled, encoding, changedUnits_, refusal_};
    }

  private:
    const 内码对照表& table_;
    PieceReader reader_;
    ByteSink& sink_;
    const StreamRequest& request_;
    const std::function<bool()>& stop_;
    std::uint64_t changedUnits_ = 0;
    std::exception_ptr refusal_;
};

} // namespace

std::span<const std::uint8_t> markWritten(std::span<const std::uint8_t> mark, Encoding read,
                                          Encoding written) {
    if (written == read) return mark;
    if (isUtf16(written) || (written == Encoding::Utf8 && !mark.empty()))
        return byteOrderMark(written);
    return {};
}

StreamResult convertStream(const 内码对照表& table, ByteSource& source, ByteSink& sink,
                           const StreamRequest& request, const std::function<bool()>& stop) {
    return Passes(table, source, sink, request, stop).convert(source.canRewind());
}

} // namespace tolvane
