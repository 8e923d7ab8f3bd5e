#pragma once
// Which Chinese code page a text is in, told from the text itself, for a text
// with no byte-order mark that is not UTF-8.

#include <cstdint>
#include <span>

namespace tolvane {

enum class ChineseCodePage { Gbk, Gb18030, Big5 };

// The code page of a text that starts with head. A valid four-byte GB18030
// sequence settles GB18030. Otherwise the text is read both as GBK and as
// Big5, and the reading whose characters are the more common in Chinese text,
// simplified or traditional, wins; Big5 only by a clear margin, since a text
// read the wrong way turns common characters into rare ones or into bytes
// that do not decode. Weak evidence (a few characters) gives GBK, code page
// 936. A character cut off at the end of head is left out.
ChineseCodePage detectChineseCodePage(std::span<const std::uint8_t> head);

} // namespace tolvane
