#pragma once
// The encodings a text file's contents are read and written in, and how a
// file's encoding is told from its bytes.

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/utf8.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

enum class Encoding { Auto, Gbk, Utf8, Utf16Le, Utf16Be, Big5, Gb18030 };

// "GBK", "UTF-8", "UTF-16LE", "UTF-16BE", "BIG5", "GB18030"; "auto" for Auto.
std::string_view encodingName(Encoding encoding);
// The names above in any case, "cp936" for GBK and "cp950" for Big5;
// nothing for anything else.
std::optional<Encoding> encodingNamed(std::string_view name);

// The name as options and settings take it: "gbk", "utf-8", "big5" ...
std::string optionName(Encoding encoding);

// The Chinese code page an encoding is, if it is one.
inline std::optional<CodePage> codePageOf(Encoding encoding) {
    switch (encoding) {
    case Encoding::Gbk:
        return CodePage::Gbk;
    case Encoding::Big5:
        return CodePage::Big5;
    case Encoding::Gb18030:
        return CodePage::Gb18030;
    default:
        return std::nullopt;
    }
}

// UTF-16 in either byte order.
inline bool isUtf16(Encoding encoding) {
    return encoding == Encoding::Utf16Le || encoding == Encoding::Utf16Be;
}

// The error of a converted text that holds a character the encoding it is to
// be written in has no form for: such a text is never written with a stand-in.
// Its number lies in the program's own range, after the one of a file that
// is not text.
inline constexpr std::int32_t kCannotEncode = static_cast<std::int32_t>(0x80040005);

class CannotEncode : public Error {
  public:
    // The character at units[at] (a surrogate pair is one).
    CannotEncode(Encoding encoding, std::u16string_view units, std::size_t at);
    Encoding encoding() const { return encoding_; }
    // The encodings to suggest instead: UTF-8, then a Chinese code page that
    // holds the character, when there is one.
    const std::vector<Encoding>& alternatives() const { return alternatives_; }

  private:
    Encoding encoding_;
    std::vector<Encoding> alternatives_;
};

// The byte-order mark an encoding is written with when a file has one.
std::span<const std::uint8_t> byteOrderMark(Encoding encoding);

struct Detection {
    Encoding encoding = Encoding::Gbk;
    std::size_t markSize = 0; // the byte-order mark's bytes at the start, kept as they are
};

// The encoding of a text that starts with head: a byte-order mark decides;
// otherwise valid UTF-8 with at least one non-ASCII character is UTF-8, and
// anything else the Chinese code page the text itself shows (GBK, GB18030 or
// Big5; GBK, code page 936, when it shows none clearly). When head is not the
// whole text, a UTF-8 sequence cut off at its end counts as valid.
Detection detectEncoding(std::span<const std::uint8_t> head, bool wholeText);

// The Chinese code page of a text that is neither marked nor UTF-8.
Encoding detectChineseEncoding(std::span<const std::uint8_t> head);

// The byte-order mark alone: UTF-8, UTF-16LE or UTF-16BE, or Auto without one.
Detection detectByteOrderMark(std::span<const std::uint8_t> head);

// Where the valid UTF-8 at the start of bytes ends: bytes.size() when all of it
// is valid; a sequence cut off at the end counts as invalid.
std::size_t validUtf8Prefix(std::span<const std::uint8_t> bytes);

// The first 8 KiB of a file decide whether it is text: a NUL byte there means
// it is not, unless the file is UTF-16 with a byte-order mark.
inline constexpr std::size_t kTextProbeSize = 8192;
bool looksLikeText(std::span<const std::uint8_t> head);

} // namespace tolvane
