#include "engine/encoding.h"

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
    }
    return {};
}

std::optional<Encoding> encodingNamed(std::string_view name) {
    const std::string key = lowered(name);
    if (key == "cp936") return Encoding::Gbk;
    for (const Encoding encoding :
         {Encoding::Auto, Encoding::Gbk, Encoding::Utf8, Encoding::Utf16Le, Encoding::Utf16Be})
        if (key == lowered(encodingName(encoding))) return encoding;
    return std::nullopt;
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
    return {allValid && nonAscii ? Encoding::Utf8 : Encoding::Gbk, 0};
}

bool looksLikeText(std::span<const std::uint8_t> head) {
    const Encoding marked = detectByteOrderMark(head).encoding;
    if (marked == Encoding::Utf16Le || marked == Encoding::Utf16Be) return true;
    const auto probe = head.first(std::min(head.size(), kTextProbeSize));
    return std::ranges::find(probe, std::uint8_t{0}) == probe.end();
}

} // namespace tolvane
