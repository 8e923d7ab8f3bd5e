#include "window_rig.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "support/ini.h"
#include "tests/mkdtemp.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace tolvane {

namespace {

std::filesystem::path freshFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tolvane-window-XXXXXX").string();
    return ::mkdtemp(pattern.data());
}

void writeBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

WindowRig::WindowRig() : folder_(freshFolder()) {
    form.onClose([this] { unload(); });
}

WindowRig::~WindowRig() {
    if (window_) unload();
    window_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

主窗体& WindowRig::load() {
    主窗体控件 controls{form, basis, type, choose, remove, clear, start, list, clip, menu};
    window_ = std::make_unique<主窗体>(controls, desktop, folder_.u16string());
    window_->Form_Load();
    return *window_;
}

void WindowRig::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    window_->Form_Unload();
}

std::u16string WindowRig::path(const std::u16string& name) const {
    return (folder_ / std::filesystem::path(name)).u16string();
}

void WindowRig::writeTable(const std::u16string& name, const std::vector<std::u16string>& lines) {
    std::filesystem::create_directories(folder_ / u"对照表");
    std::u16string text;
    for (const std::u16string& line : lines)
        text += line + u"\r\n";
    writeBytes(folder_ / u"对照表" / std::filesystem::path(name), encodeAnsi(text));
}

void WindowRig::writeTextFile(const std::u16string& name, const std::u16string& text) {
    writeBytes(std::filesystem::path(path(name)), encodeOem(text));
}

std::u16string WindowRig::readTextFile(const std::u16string& name) const {
    return decodeOem(readBytes(std::filesystem::path(path(name))));
}

void WindowRig::writeSetting(const std::u16string& section, const std::u16string& key,
                             const std::u16string& value) {
    设置INI文件(u"Tolvane", section, folder_.u16string());
    INI属性写入(key, value);
}

std::u16string WindowRig::setting(const std::u16string& section, const std::u16string& key) {
    设置INI文件(u"Tolvane", section, folder_.u16string());
    return INI属性读出(key);
}

void WindowRig::copySettingsFrom(const WindowRig& other) {
    std::filesystem::copy_file(other.folder_ / "Tolvane.ini", folder_ / "Tolvane.ini");
}

std::u16string WindowRig::iniText() const {
    return decodeAnsi(readBytes(folder_ / "Tolvane.ini"));
}

void WindowRig::pickType(int index) {
    type.setSelectedIndex(index);
    window_->类型_Click();
}

void WindowRig::pickTable(int index) {
    basis.setSelectedIndex(index);
    window_->依据_Click();
}

bool WindowRig::waitIdle() {
    return desktop.drainUntil([this] { return !busy(); });
}

} // namespace tolvane
