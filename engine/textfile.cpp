#include "engine/textfile.h"

#include "engine/piece_convert.h"
#include "engine/table.h"
#include "platform/error.h"
#include "platform/files.h"

#include <array>
#include <vector>

namespace tolvane {

namespace {

// A byte that does not decode, which the table leaves alone.
bool isStrayByte(char16_t unit) {
    return unit >= 0xDC80 && unit <= 0xDCFF;
}

class FileSource : public ByteSource {
  public:
    explicit FileSource(InputFile& file) : file_(file) {}
    std::size_t read(std::span<std::uint8_t> buffer) override { return file_.read(buffer); }
    bool canRewind() const override { return true; }
    void rewind() override { file_.rewind(); }

  private:
    InputFile& file_;
};

class FileSink : public ByteSink {
  public:
    explicit FileSink(NewFile& file) : file_(file) {}
    void write(std::span<const std::uint8_t> bytes) override { file_.write(bytes); }
    void empty() override { file_.empty(); }

  private:
    NewFile& file_;
};

class NoSink : public ByteSink {
  public:
    void write(std::span<const std::uint8_t> /*bytes*/) override {}
    void empty() override {}
};

// The code units the table replaces in the whole file, read in encoding.
std::uint64_t countChangedUnits(InputFile& file, Encoding encoding) {
    const bool isUtf16 = encoding == Encoding::Utf16Le || encoding == Encoding::Utf16Be;
    std::vector<std::uint8_t> piece(kPieceSize);
    std::u16string units;
    std::uint64_t changed = 0;
    std::size_t carried = 0;
    for (bool last = false; !last;) {
        const std::size_t got = file.read(std::span(piece).subspan(carried));
        last = carried + got < piece.size();
        units.clear();
        const std::span<const std::uint8_t> bytes(piece.data(), carried + got);
        const std::size_t used = detail::decodePiece(encoding, bytes, last, units);
        for (const char16_t unit : units)
            changed += 查表(unit) != unit && (isUtf16 || !isStrayByte(unit)) ? 1 : 0;
        carried = bytes.size() - used;
        std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(used), bytes.end(), piece.begin());
    }
    return changed;
}

} // namespace

void 检查文本文件(const std::u16string& 路径, Encoding 编码) {
    InputFile file(路径);
    if (编码 == Encoding::Utf16Le || 编码 == Encoding::Utf16Be) return;
    std::array<std::uint8_t, kTextProbeSize> head{};
    const std::size_t size = file.read(head);
    if (!looksLikeText(std::span(head).first(size))) throw Error(kNotText, u"不是文本文件");
}

StreamResult 转换文本文件(InputFile& 输入, NewFile& 输出, Encoding 编码,
                          const std::function<bool()>& stop) {
    FileSource source(输入);
    FileSink sink(输出);
    return convertStream(source, sink, 编码, stop);
}

TextPreview previewTextFile(const std::u16string& 路径, Encoding 编码) {
    检查文本文件(路径, 编码);
    InputFile file(路径);
    FileSource source(file);
    NoSink sink;
    TextPreview preview;
    preview.encoding = convertStream(source, sink, 编码, [] { return false; }).encoding;
    file.rewind();
    preview.changedUnits = countChangedUnits(file, preview.encoding);
    return preview;
}

} // namespace tolvane
