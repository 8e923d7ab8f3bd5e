#pragma once
// The main window over a QWidget: built from the window's design at 15 twips
// a pixel, with every control at its place and size and in its tab order.

#include "frontend/qt/controls.h"
#include "frontend/qt/menu.h"
#include "platform/ui.h"
#include "window/layout.h"

#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace tolvane::qt {

// The top-level widget; reports the user's state changes and the close box.
class FormWidget : public QWidget {
  public:
    FormWidget();

    // Runs once, before the window closes, however the close was asked for.
    std::function<void()> onUnload;
    // Runs onUnload unless it has run: the close box, or a quit from outside.
    void unload();
    // A change of the window state by the user or the system.
    std::function<void()> onStateChange;

    // While set, state changes are the program's own and are not reported.
    bool settingState = false;

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    bool unloaded_ = false;
};

class WindowAdapter : public Window {
  public:
    explicit WindowAdapter(FormWidget& form) : form_(form) {}

    void setCaption(const std::u16string& caption) override;
    std::u16string caption() const override;
    void setIcon(const std::shared_ptr<Picture>& icon) override;
    std::shared_ptr<Picture> icon() const override { return icon_; }
    WindowState state() const override;
    void setState(WindowState state) override;
    void move(int leftTwips, int topTwips) override;
    int left() const override;
    int top() const override;
    int width() const override;
    int height() const override;
    TwipsRect normalRect() const override;
    void show() override;
    void hide() override;
    void close() override;
    double textWidth(const std::u16string& text) const override;

  private:
    FormWidget& form_;
    std::shared_ptr<Picture> icon_;
};

class Form {
  public:
    explicit Form(const WindowDesign& design);

    FormWidget& widget() { return form_; }
    WindowAdapter& window() { return window_; }
    MenuAdapter& menu() { return menu_; }
    ButtonAdapter& button(const std::u16string& name) { return *buttons_.at(name); }
    ComboAdapter& combo(const std::u16string& name) { return *combos_.at(name); }
    ListAdapter& list(const std::u16string& name) { return *lists_.at(name); }
    TextAdapter& textBox(const std::u16string& name) { return *texts_.at(name); }
    FileList& fileList(const std::u16string& name) { return *fileLists_.at(name); }
    ClipboardView& clipboardView(const std::u16string& name) { return *views_.at(name); }
    // A control's widget by its name; labels of the array l as "l(0)" ...
    QWidget* control(const std::u16string& key) const;

  private:
    QWidget* build(const ControlDesign& design);
    void setTabOrder(const WindowDesign& design);

    FormWidget form_;
    WindowAdapter window_{form_};
    MenuAdapter menu_;
    std::map<std::u16string, QWidget*> widgets_;
    std::map<std::u16string, std::unique_ptr<ButtonAdapter>> buttons_;
    std::map<std::u16string, std::unique_ptr<ComboAdapter>> combos_;
    std::map<std::u16string, std::unique_ptr<ListAdapter>> lists_;
    std::map<std::u16string, std::unique_ptr<TextAdapter>> texts_;
    std::map<std::u16string, FileList*> fileLists_;
    std::map<std::u16string, ClipboardView*> views_;
};

} // namespace tolvane::qt
