#include "window_rig.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "support/ini.h"

#include <algorithm>

namespace tolvane {

namespace {

void writeFile(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    testing::writeBytes(file, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& file) {
    const std::string bytes = testing::readBytes(file);
    return {bytes.begin(), bytes.end()};
}

} // namespace

WindowRig::WindowRig() : folder_(scratch_.path()) {
    form.onClose([this] { unload(); });
}

WindowRig::~WindowRig() {
    if (window_) unload();
}

主窗体& WindowRig::load() {
    主窗体控件 controls{form, basis, type, choose, remove, clear, start, list, clip, menu};
    const std::u16string folder = folder_.u16string();
    window_ = std::make_unique<主窗体>(controls, desktop, 文件位置{folder, {folder + u"/对照表"}});
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
    writeFile(folder_ / u"对照表" / std::filesystem::path(name), encodeAnsi(text));
}

void WindowRig::writeTextFile(const std::u16string& name, const std::u16string& text) {
    writeFile(std::filesystem::path(path(name)), encodeOem(text));
}

std::u16string WindowRig::readTextFile(const std::u16string& name) const {
    return decodeOem(readFile(std::filesystem::path(path(name))));
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

void WindowRig::minimise() {
    form.setState(WindowState::Minimized);
    window_->Form_Resize();
}

void WindowRig::pickType(int index) {
    type.setSelectedIndex(index);
    window_->类型_Click();
}

void WindowRig::pickTable(int index) {
    basis.setSelectedIndex(index);
    window_->依据_Click();
}

int WindowRig::tableIndex(const std::u16string& name) const {
    const auto& items = basis.items();
    return static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin());
}

bool WindowRig::waitIdle() {
    return desktop.drainUntil([this] { return !busy(); });
}

} // namespace tolvane
