#pragma once
// The encodings a text file's contents are read and written in, and how a
// file's encoding is told from its bytes.

#include "platform/utf8.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tolvane {

enum class Encoding { Auto, Gbk, Utf8, Utf16Le, Utf16Be };

// "GBK", "UTF-8", "UTF-16LE", "UTF-16BE"; "auto" for Auto.
std::string_view encodingName(Encoding encoding);
// The names above in any case, and "cp936" for GBK; nothing for anything else.
std::optional<Encoding> encodingNamed(std::string_view name);

// The byte-order mark an encoding is written with when a file has one.
std::span<const std::uint8_t> byteOrderMark(Encoding encoding);

struct Detection {
    Encoding encoding = Encoding::Gbk;
    std::size_t markSize = 0; // the byte-order mark's bytes at the start, kept as they are
};

// The encoding of a text that starts with head: a byte-order mark decides;
// otherwise valid UTF-8 with at least one non-ASCII character is UTF-8, and
// anything else code page 936. When head is not the whole text, a UTF-8
// sequence cut off at its end counts as valid.
Detection detectEncoding(std::span<const std::uint8_t> head, bool wholeText);

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
