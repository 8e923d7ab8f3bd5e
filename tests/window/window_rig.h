#pragma once
// A main window on fake controls and a fake desktop, with its program folder
// (tables and settings file) in a scratch folder.

#include "common/scratch_folder.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_desktop.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "support/ini.h"
#include "window/main_window.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tolvane {

class WindowRig {
  public:
    WindowRig() {
        form.onClose = [this] { unload(); };
    }
    ~WindowRig() { unload(); }

    // Creates the window and runs Form_Load.
    主窗体& load() {
        主窗体控件 controls{form, basis, type, choose, remove, clear, start, list, clip, menu};
        const std::u16string folder = scratch_.path().u16string();
        window_ = std::make_unique<主窗体>(controls, desktop,
                                           文件位置{folder, {joinPath(folder, u"对照表")}});
        window_->Form_Load();
        return *window_;
    }
    // Form_Unload, once, as the front-end runs it when the window closes.
    void unload() {
        if (window_ && !std::exchange(unloaded_, true)) window_->Form_Unload();
    }
    主窗体& window() { return *window_; }

    std::u16string path(const std::u16string& name) const { return scratch_ / name; }
    // A mapping table in the folder 对照表 ("词组/x.txt": the phrases of x.txt):
    // lines in the ANSI code page, CR LF ended.
    void writeTable(const std::u16string& name, const std::vector<std::u16string>& lines) {
        const std::filesystem::path file = path(u"对照表/" + name);
        std::filesystem::create_directories(file.parent_path());
        std::u16string text;
        for (const std::u16string& line : lines)
            text += line + u"\r\n";
        const std::vector<std::uint8_t> bytes = encodeAnsi(text);
        testing::writeBytes(file, std::string(bytes.begin(), bytes.end()));
    }
    void writeSetting(const std::u16string& section, const std::u16string& key,
                      const std::u16string& value) {
        设置INI文件(u"Tolvane", section, scratch_.path().u16string());
        INI属性写入(key, value);
    }
    std::u16string setting(const std::u16string& section, const std::u16string& key) {
        设置INI文件(u"Tolvane", section, scratch_.path().u16string());
        return INI属性读出(key);
    }
    // As if the program had been restarted after `other` closed.
    void copySettingsFrom(const WindowRig& other) {
        std::filesystem::copy_file(other.scratch_.path() / "Tolvane.ini",
                                   scratch_.path() / "Tolvane.ini");
    }

    void minimise() {
        form.setState(WindowState::Minimized);
        window_->Form_Resize();
    }
    void pickType(int index) {
        type.setSelectedIndex(index);
        window_->类型_Click();
    }
    void pickTable(int index) {
        basis.setSelectedIndex(index);
        window_->依据_Click();
    }
    // Where the table file shows in 依据 (the folder's own order).
    int tableIndex(const std::u16string& name) const {
        return static_cast<int>(std::ranges::find(basis.items, name) - basis.items.begin());
    }
    // Runs the window's queued calls until the Start button shows idle again.
    bool waitIdle() {
        return desktop.drainUntil([this] { return !busy(); });
    }
    bool busy() const { return start.caption() != u"4"; }

    fakes::FakeWindow form;
    fakes::FakeComboBox basis;
    fakes::FakeComboBox type{{u"文件", u"文件名", u"剪贴板"}};
    fakes::FakeButton choose{u"+", 11};
    fakes::FakeButton remove{u"-", 12};
    fakes::FakeButton clear{u"清除", 13};
    fakes::FakeButton start{u"4", 14};
    fakes::FakeListBox list;
    fakes::FakeTextBox clip;
    fakes::FakePopupMenu menu;
    fakes::FakeDesktop desktop;

  private:
    testing::ScratchFolder scratch_;
    std::unique_ptr<主窗体> window_;
    bool unloaded_ = false;
};

} // namespace tolvane
