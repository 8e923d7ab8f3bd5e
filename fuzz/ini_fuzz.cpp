// The settings file on any content: a value written reads back, other keys
// keep theirs, a refused write changes nothing, and through the settings
// module a text reads back whole or cut to whole characters at 254 bytes and
// a number read from it stays in its range.

#include "fuzz_check.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/profile.h"
#include "support/ini.h"
#include "support/number_text.h"
#include "tests/common/scratch_folder.h"

#include <array>
#include <fuzzer/FuzzedDataProvider.h>

using namespace tolvane;
using testing::readBytes;

namespace {

std::string read(const std::string& section, const std::string& key, const std::u16string& file) {
    std::array<char, 4096> buffer{};
    return {buffer.data(), getPrivateProfileString(section, key, "\x01missing", buffer.data(),
                                                   buffer.size(), file)};
}

// Read back as written: no blanks at the ends, no quotation marks around it.
bool isPlain(const std::string& v) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    return v.empty() ||
           (!blank(v.front()) && !blank(v.back()) &&
            !(v.size() >= 2 && v.front() == v.back() && (v[0] == '"' || v[0] == '\'')));
}

// Blanks at the ends aside and ASCII letters folded: the same name to the file.
std::string normalName(const std::string& name) {
    const auto first = name.find_first_not_of(" \t");
    std::string normal = first == std::string::npos
                             ? ""
                             : name.substr(first, name.find_last_not_of(" \t") - first + 1);
    for (char& c : normal)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return normal;
}

void checkProfile(FuzzedDataProvider& in, const std::filesystem::path& path) {
    const std::u16string file = path.u16string();
    const std::string section = in.ConsumeRandomLengthString(32),
                      key = in.ConsumeRandomLengthString(32);
    const std::string value = in.ConsumeRandomLengthString(300);
    const std::string otherSection = in.ConsumeRandomLengthString(32);
    const std::string otherKey = in.ConsumeRandomLengthString(32);
    const std::string before = readBytes(path), otherBefore = read(otherSection, otherKey, file);
    if (!writePrivateProfileString(section, key, value, file))
        return check(readBytes(path) == before, "a refused write leaves the file");
    check(!isPlain(value) || read(section, key, file) == value, "a value is read back");
    const bool sameKey =
        normalName(section) == normalName(otherSection) && normalName(key) == normalName(otherKey);
    check(sameKey || read(otherSection, otherKey, file) == otherBefore, "other keys keep values");
    const std::string written = readBytes(path);
    check(writePrivateProfileString(section, key, value, file) && readBytes(path) == written,
          "writing the same value again changes nothing");
}

void checkNumber(const std::u16string& text) {
    const float number = 范围内数值(text, 1000, -1000, 5000);
    check(-1000 <= number && number <= 1000, "a number read is in its range");
    const auto whole = 整体数值(text);
    check(!whole || 开头数值(text) == *whole, "a whole number is also the leading one");
}

void checkSettings(FuzzedDataProvider& in) {
    const std::string bytes = in.ConsumeRemainingBytesAsString();
    const std::u16string text =
        decodeAnsi({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    checkNumber(text);
    const std::vector<std::uint8_t> ansi = encodeAnsi(text);
    if (text.empty() || text.find(u'\0') != std::u16string::npos ||
        !isPlain({ansi.begin(), ansi.end()}))
        return;
    try {
        INI属性写入(u"键", text);
    } catch (const Error&) {
        return; // a text with a line break cannot be stored
    }
    std::u16string expected; // the longest start whose ANSI bytes fit in 254
    for (std::size_t i = 0, used = 0; i < text.size(); expected += text[i++])
        if ((used += encodeAnsi(text.substr(i, 1)).size()) > 254) break;
    // A stray first byte of a character at the cut looks like a cut character.
    const std::u16string back = INI属性读出(u"键");
    check(back == expected || (!expected.empty() && back + expected.back() == expected),
          "a text is read back in whole characters");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const testing::ScratchFolder folder;
    static const bool chosen = (设置INI文件(u"设置", u"", folder.path().u16string()), true);
    (void)chosen;
    FuzzedDataProvider in(data, size);
    testing::writeBytes(folder / "设置.ini", in.ConsumeRandomLengthString(2048));
    checkProfile(in, folder / "设置.ini");
    checkSettings(in);
    return 0;
}
