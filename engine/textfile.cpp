#include "engine/textfile.h"

#include "platform/error.h"
#include "platform/files.h"

#include <array>

namespace tolvane {

namespace {

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

} // namespace

void 检查文本文件(const std::u16string& 路径, Encoding 编码) {
    InputFile file(路径);
    if (编码 == Encoding::Utf16Le || 编码 == Encoding::Utf16Be) return;
    std::array<std::uint8_t, kTextProbeSize> head{};
    const std::size_t size = file.read(head);
    if (!looksLikeText(std::span(head).first(size))) throw Error(kNotText, u"不是文本文件");
}

StreamResult 转换文本文件(const 内码对照表& 表, InputFile& 输入, NewFile& 输出,
                          const StreamRequest& 要求, const std::function<bool()>& stop) {
    FileSource source(输入);
    FileSink sink(输出);
    return convertStream(表, source, sink, 要求, stop);
}

TextPreview previewTextFile(const 内码对照表& 表, const std::u16string& 路径,
                            const StreamRequest& 要求) {
    检查文本文件(路径, 要求.encoding);
    InputFile file(路径);
    FileSource source(file);
    NoSink sink;
    StreamRequest counting = 要求;
    counting.countChanges = true;
    const StreamResult result = convertStream(表, source, sink, counting, [] { return false; });
    return {result.encoding, result.changedUnits, result.refusal};
}

} // namespace tolvane
