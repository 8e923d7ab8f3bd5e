// The settings file on any existing content: a value written is read back,
// every other key keeps its value, a refused write leaves the file as it was,
// and writing the same value again changes nothing. Through the settings
// module, a text reads back whole, or cut to whole characters when too long.

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/profile.h"
#include "support/ini.h"
#include "tests/common/scratch_folder.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <fuzzer/FuzzedDataProvider.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace tolvane;

void fail(const char* what) {
    std::fprintf(stderr, "settings file: %s\n", what);
    std::abort();
}

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string read(const std::string& section, const std::string& key, const std::u16string& file) {
    std::array<char, 4096> buffer{};
    const auto placed =
        getPrivateProfileString(section, key, "\x01missing", buffer.data(), buffer.size(), file);
    return {buffer.data(), placed};
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Read back as written: no blanks at the ends, no quotation marks around it.
bool isPlain(const std::string& value) {
    if (value.empty()) return true;
    if (isBlank(value.front()) || isBlank(value.back())) return false;
    const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                        (value.front() == '"' || value.front() == '\'');
    return !quoted;
}

// Whether two names might be the same name to the settings file: blanks at
// the ends aside, equal but for the case of ASCII letters.
bool mayBeSameName(std::string a, std::string b) {
    const auto normal = [](std::string& name) {
        const auto first = name.find_first_not_of(" \t");
        name = first == std::string::npos
                   ? ""
                   : name.substr(first, name.find_last_not_of(" \t") - first + 1);
        for (char& c : name)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    };
    normal(a);
    normal(b);
    return a == b;
}

void checkProfile(FuzzedDataProvider& in, const std::string& path, const std::u16string& file) {
    const std::string section = in.ConsumeRandomLengthString(32);
    const std::string key = in.ConsumeRandomLengthString(32);
    const std::string value = in.ConsumeRandomLengthString(300);
    const std::string otherSection = in.ConsumeRandomLengthString(32);
    const std::string otherKey = in.ConsumeRandomLengthString(32);

    const std::string before = contentOf(path);
    const std::string otherBefore = read(otherSection, otherKey, file);
    if (!writePrivateProfileString(section, key, value, file)) {
        if (contentOf(path) != before) fail("a refused write changed the file");
        return;
    }
    if (isPlain(value) && read(section, key, file) != value) fail("value not read back");
    const bool sameKey = mayBeSameName(section, otherSection) && mayBeSameName(key, otherKey);
    if (!sameKey && read(otherSection, otherKey, file) != otherBefore) fail("another key changed");
    const std::string written = contentOf(path);
    if (!writePrivateProfileString(section, key, value, file) || contentOf(path) != written)
        fail("writing the same value again changed the file");
}

// The longest start of the text whose ANSI bytes fit the settings module's 254.
std::u16string fittingStart(const std::u16string& text) {
    std::u16string start;
    std::size_t bytes = 0;
    for (const char16_t unit : text) {
        bytes += encodeAnsi(std::u16string(1, unit)).size();
        if (bytes > 254) break;
        start += unit;
    }
    return start;
}

void checkSettings(FuzzedDataProvider& in) {
    const std::string bytes = in.ConsumeRemainingBytesAsString();
    const std::u16string text =
        decodeAnsi({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    if (text.empty() || text.find(u'\0') != std::u16string::npos) return;
    const std::vector<std::uint8_t> ansi = encodeAnsi(text);
    if (!isPlain({ansi.begin(), ansi.end()})) return;
    try {
        INI属性写入(u"键", text);
    } catch (const Error&) {
        return; // a text with a line break cannot be stored
    }
    // A stray first byte of a character at the cut looks like a cut character.
    const std::u16string expected = fittingStart(text);
    const std::u16string back = INI属性读出(u"键");
    if (back != expected && (expected.empty() || back + expected.back() != expected))
        fail("text not read back in whole characters");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const testing::ScratchFolder folder;
    static const bool chosen = (设置INI文件(u"设置", u"", folder.path().u16string()), true);
    (void)chosen;
    const std::string path = (folder.path() / "设置.ini").string();
    const std::u16string file = folder.path().u16string() + u"/设置.ini";

    FuzzedDataProvider in(data, size);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << in.ConsumeRandomLengthString(2048);
    checkProfile(in, path, file);
    checkSettings(in);
    return 0;
}
