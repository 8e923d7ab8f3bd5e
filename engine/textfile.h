#pragma once
// Text files: whether a file holds text, and its contents converted piece by
// piece from one file into another in the encoding they were read in.

#include "engine/encoding.h"
#include "engine/stream.h"
#include "engine/table.h"

#include <cstdint>
#include <string>

namespace tolvane {

class InputFile;
class NewFile;

// The error of a file that is not text. Its number lies in the program's own
// range, after the one of a setting that cannot be written.
inline constexpr std::int32_t kNotText = static_cast<std::int32_t>(0x80040004);

// Throws Error kNotText "不是文本文件" when the file's first bytes are not text
// (UTF-16, when it is the given encoding, always is), and the file system's
// Error when it cannot be read.
void 检查文本文件(const std::u16string& 路径, Encoding 编码);

// The whole input converted through 表 into output; stop() is asked after every piece.
StreamResult 转换文本文件(const 内码对照表& 表, InputFile& 输入, NewFile& 输出,
                          const StreamRequest& 要求, const std::function<bool()>& stop);

struct TextPreview {
    Encoding encoding = Encoding::Gbk;
    std::uint64_t changedUnits = 0; // code units the conversion would replace
    std::exception_ptr refusal;     // the CannotEncode converting would throw
};

// What converting the file would do, touching nothing. Throws Error.
TextPreview previewTextFile(const 内码对照表& 表, const std::u16string& 路径,
                            const StreamRequest& 要求);

} // namespace tolvane
