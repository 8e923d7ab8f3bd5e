#include "window_rig.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "support/ini.h"

namespace tolvane {

namespace {

std::string asText(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

} // namespace

主窗体& WindowRig::load() {
    主窗体控件 controls{form, basis, type, choose, remove, clear, start, list, clip, menu};
    const std::u16string folder = scratch_.path().u16string();
    window_ = std::make_unique<主窗体>(controls, desktop,
                                       文件位置{folder, {joinPath(folder, u"对照表")}});
    window_->Form_Load();
    return *window_;
}

void WindowRig::writeTable(const std::u16string& name, const std::vector<std::u16string>& lines) {
    const std::filesystem::path file = path(u"对照表/" + name);
    std::filesystem::create_directories(file.parent_path());
    std::u16string text;
    for (const std::u16string& line : lines)
        text += line + u"\r\n";
    testing::writeBytes(file, asText(encodeAnsi(text)));
}

void WindowRig::writeTextFile(const std::u16string& name, const std::u16string& text) {
    testing::writeBytes(std::filesystem::path(path(name)), asText(encodeOem(text)));
}

void WindowRig::writeSetting(const std::u16string& section, const std::u16string& key,
                             const std::u16string& value) {
    设置INI文件(u"Tolvane", section, scratch_.path().u16string());
    INI属性写入(key, value);
}

std::u16string WindowRig::setting(const std::u16string& section, const std::u16string& key) {
    设置INI文件(u"Tolvane", section, scratch_.path().u16string());
    return INI属性读出(key);
}

void WindowRig::copySettingsFrom(const WindowRig& other) {
    std::filesystem::copy_file(other.scratch_.path() / "Tolvane.ini",
                               scratch_.path() / "Tolvane.ini");
}

} // namespace tolvane
