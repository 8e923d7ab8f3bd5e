#include "engine/encoding.h"

#include "engine/chinese_detection.h"
#include "engine/text_codec.h"
#include "platform/ascii.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace tolvane {

namespace {

constexpr std::array<std::uint8_t, 3> kUtf8Mark{0xEF, 0xBB, 0xBF};
constexpr std::array<std::uint8_t, 2> kUtf16LeMark{0xFF, 0xFE};
constexpr std::array<std::uint8_t, 2> kUtf16BeMark{0xFE, 0xFF};

bool startsWith(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> prefix) {
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

std::string lowered(std::string_view text) {
    std::string result(text);
    std::ranges::transform(result, result.begin(), asciiLower);
    return result;
}

bool hasHighBit(std::span<const std::uint8_t> bytes, std::size_t at) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data() + at, sizeof word);
    return (word & 0x8080808080808080ULL) != 0;
}

// Where the valid UTF-8 ends; a cut-off sequence at the end is reported in cut.
std::size_t scanUtf8(std::span<const std::uint8_t> bytes, bool& cut) {
    cut = false;
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (at + 8 <= bytes.size() && !hasHighBit(bytes, at)) {
            at += 8;
        } else if (bytes[at] < 0x80) {
            ++at;
        } else {
            const int length = utf8SequenceAt(bytes, at);
            if (length <= 0) {
                cut = length < 0;
                return at;
            }
            at += static_cast<std::size_t>(length);
        }
    }
    return at;
}

} // namespace

std::string_view encodingName(Encoding encoding) {
    switch (encoding) {
    case Encoding::Auto:
        return "auto";
    case Encoding::Gbk:
        return "GBK";
    case Encoding::Utf8:
        return "UTF-8";
    case Encoding::Utf16Le:
        return "UTF-16LE";
    case Encoding::Utf16Be:
        return "UTF-16BE";
    case Encoding::Big5:
        return "BIG5";
    case Encoding::Gb18030:
        return "GB18030";
    }
    return {};
}

std::optional<Encoding> encodingNamed(std::string_view name) {
    const std::string key = lowered(name);
    if (key == "cp936") return Encoding::Gbk;
    if (key == "cp950") return Encoding::Big5;
    for (const Encoding encoding :
         {Encoding::Auto, Encoding::Gbk, Encoding::Utf8, Encoding::Utf16Le, Encoding::Utf16Be,
          Encoding::Big5, Encoding::Gb18030})
        if (key == lowered(encodingName(encoding))) return encoding;
    return std::nullopt;
}

namespace {

std::u16string characterAt(std::u16string_view units, std::size_t at) {
    const bool pair = at + 1 < units.size() && units[at] >= 0xD800 && units[at] <= 0xDBFF &&
                      units[at + 1] >= 0xDC00 && units[at + 1] <= 0xDFFF;
    return std::u16string(units.substr(at, pair ? 2 : 1));
}

// A character as the user reads it; half of a pair only by its number.
std::u16string shown(const std::u16string& character) {
    const char16_t unit = character[0];
    if (character.size() == 2 || unit < 0xD800 || unit > 0xDFFF) return character;
    const char16_t* const digits = u"0123456789ABCDEF";
    std::u16string number = u"U+";
    for (int shift = 12; shift >= 0; shift -= 4)
        number += digits[unit >> shift & 0xF];
    return number;
}

std::u16string cannotEncodeText(Encoding encoding, const std::u16string& character) {
    const std::string_view name = encodingName(encoding);
    return u"转换结果含有 " + std::u16string(name.begin(), name.end()) + u" 无法表示的字符「" +
           shown(character) + u"」";
}

} // namespace

CannotEncode::CannotEncode(Encoding encoding, std::u16string_view units, std::size_t at)
    : Error(kCannotEncode, cannotEncodeText(encoding, characterAt(units, at))),
      encoding_(encoding) {
    const std::u16string character = characterAt(units, at);
    for (const Encoding other :
         {Encoding::Utf8, Encoding::Gbk, Encoding::Big5, Encoding::Gb18030, Encoding::Utf16Le}) {
        std::vector<std::uint8_t> bytes;
        if (other != encoding && alternatives_.size() < 2 &&
            encodeText(other, character, bytes) == character.size())
            alternatives_.push_back(other);
    }
}

std::string optionName(Encoding encoding) {
    return lowered(encodingName(encoding));
}

std::span<const std::uint8_t> byteOrderMark(Encoding encoding) {
    switch (encoding) {
    case Encoding::Utf8:
        return kUtf8Mark;
    case Encoding::Utf16Le:
        return kUtf16LeMark;
    case Encoding::Utf16Be:
        return kUtf16BeMark;
    default:
        return {};
    }
}

Detection detectByteOrderMark(std::span<const std::uint8_t> head) {
    for (const Encoding encoding : {Encoding::Utf8, Encoding::Utf16Le, Encoding::Utf16Be})
        if (startsWith(head, byteOrderMark(encoding)))
            return {encoding, byteOrderMark(encoding).size()};
    return {Encoding::Auto, 0};
}

std::size_t validUtf8Prefix(std::span<const std::uint8_t> bytes) {
    bool cut = false;
    return scanUtf8(bytes, cut);
}

Detection detectEncoding(std::span<const std::uint8_t> head, bool wholeText) {
    const Detection marked = detectByteOrderMark(head);
    if (marked.encoding != Encoding::Auto) return marked;
    bool cut = false;
    const std::size_t valid = scanUtf8(head, cut);
    const bool allValid = valid == head.size() || (cut && !wholeText);
    const bool nonAscii = std::ranges::any_of(head, [](std::uint8_t b) { return b >= 0x80; });
    return {allValid && nonAscii ? Encoding::Utf8 : detectChineseEncoding(head), 0};
}

Encoding detectChineseEncoding(std::span<const std::uint8_t> head) {
    switch (detectChineseCodePage(head)) {
    case ChineseCodePage::Gb18030:
        return Encoding::Gb18030;
    case ChineseCodePage::Big5:
        return Encoding::Big5;
    default:
        return Encoding::Gbk;
    }
}

bool looksLikeText(std::span<const std::uint8_t> head) {
    const Encoding marked = detectByteOrderMark(head).encoding;
    if (marked == Encoding::Utf16Le || marked == Encoding::Utf16Be) return true;
    const auto probe = head.first(std::min(head.size(), kTextProbeSize));
    return std::ranges::find(probe, std::uint8_t{0}) == probe.end();
}

} // namespace tolvane
