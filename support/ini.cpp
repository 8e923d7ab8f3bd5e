// The settings file: which file and section, and one value at a time through
// the profile functions in the ANSI code page.

#include "support/ini.h"

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/profile.h"

#include <array>

namespace tolvane {

namespace {

std::u16string INI文件名;
std::u16string INI小节;

// Matches the buffer the value is read into; one byte stays for the NUL the
// profile function always adds.
constexpr std::uint32_t kBufferLength = 256;
constexpr std::uint32_t kPassedSize = kBufferLength - 1;

std::string ansi(const std::u16string& text) {
    const std::vector<std::uint8_t> bytes = encodeAnsi(text);
    return {bytes.begin(), bytes.end()};
}

// A value that fills the buffer may have been cut after the first byte of a
// two-byte character, which then decodes as a stray byte.
bool cutInHalf(const std::u16string& value, std::uint8_t lastByte) {
    return isGbkLeadByte(lastByte) && value.back() == decodeAnsi(std::span(&lastByte, 1)).back();
}

const std::u16string& sectionOrDefault(const std::u16string& 小节) {
    return 小节.empty() ? INI小节 : 小节;
}

// A user's settings folder does not exist before the first write.
bool folderReadyFor(const std::u16string& file) {
    const std::u16string folder = parentFolder(file);
    if (folder == file || pathKind(folder) != PathKind::Missing) return true;
    if (!folderReadyFor(folder)) return false;
    try {
        makeFolder(folder);
        return true;
    } catch (const Error&) {
        return false;
    }
}

} // namespace

std::u16string INI文件路径(const std::u16string& 文件夹, const std::u16string& 应用名) {
    return joinPath(文件夹, 应用名 + u".ini");
}

void 设置INI文件(const std::u16string& 应用名, const std::u16string& 小节,
                 const std::optional<std::u16string>& 文件夹) {
    const std::u16string name = 应用名.empty() ? u"Appname" : 应用名;
    INI文件名 = INI文件路径(文件夹 ? *文件夹 : programFolder(), name);
    INI小节 = 小节.empty() ? name : 小节;
}

std::u16string INI属性读出(const std::u16string& 键, const std::u16string& 默认,
                           const std::u16string& 小节) {
    std::array<char, kBufferLength> buffer{};
    buffer.fill(' ');
    const std::uint32_t placed = getPrivateProfileString(
        ansi(sectionOrDefault(小节)), ansi(键), ansi(默认), buffer.data(), kPassedSize, INI文件名);
    if (placed == 0) return 默认;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(buffer.data());
    std::u16string value = decodeAnsi({bytes, placed});
    if (placed == kPassedSize - 1 && cutInHalf(value, bytes[placed - 1])) value.pop_back();
    return 截至空字符(value);
}

void INI属性写入(const std::u16string& 键, const std::u16string& 值, const std::u16string& 小节) {
    if (!folderReadyFor(INI文件名) ||
        !writePrivateProfileString(ansi(sectionOrDefault(小节)), ansi(键), ansi(值), INI文件名))
        throw Error(kIniWriteFailed, u"设置无法保存：不能写入“" + INI文件名 + u"”。");
}

std::u16string 截至空字符(const std::u16string& 文本) {
    return 文本.substr(0, 文本.find(u'\0'));
}

} // namespace tolvane
