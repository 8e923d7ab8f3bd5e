#include "frontend/qt/form.h"

#include "frontend/qt/picture.h"
#include "frontend/qt/text.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <atomic>

namespace tolvane::qt {

namespace {

// Any stable number will do: it only names the control to the tray calls.
WindowHandle newHandle() {
    static std::atomic<WindowHandle> last{0};
    return ++last;
}

// A font in which one Chinese character is 12 pixels wide and high, as the
// labels' design sizes expect.
QFont formFont(const QFont& base) {
    QFont font = base;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), base.family()});
    font.setPixelSize(12);
    return font;
}

} // namespace

FormWidget::FormWidget() {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(formFont(font()));
}

void FormWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !settingState && onStateChange)
        onStateChange();
}

void FormWidget::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    if (onUnload) onUnload();
}

void FormWidget::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
}

void WindowAdapter::setCaption(const std::u16string& caption) {
    form_.setWindowTitle(toQString(caption));
}

std::u16string WindowAdapter::caption() const {
    return toU16(form_.windowTitle());
}

void WindowAdapter::setIcon(const std::shared_ptr<Picture>& icon) {
    icon_ = icon;
    form_.setWindowIcon(icon ? iconOfHandle(icon->handle()) : QIcon());
}

WindowState WindowAdapter::state() const {
    const Qt::WindowStates states = form_.windowState();
    if (states & Qt::WindowMinimized) return WindowState::Minimized;
    if (states & Qt::WindowMaximized) return WindowState::Maximized;
    return WindowState::Normal;
}

void WindowAdapter::setState(WindowState state) {
    static constexpr Qt::WindowState kStates[] = {Qt::WindowNoState, Qt::WindowMinimized,
                                                  Qt::WindowMaximized};
    form_.settingState = true;
    form_.setWindowState(kStates[static_cast<int>(state)]);
    form_.settingState = false;
}

void WindowAdapter::move(int leftTwips, int topTwips) {
    form_.move(pixelsOf(leftTwips), pixelsOf(topTwips));
}

int WindowAdapter::left() const {
    return twipsOf(form_.pos().x());
}

int WindowAdapter::top() const {
    return twipsOf(form_.pos().y());
}

int WindowAdapter::width() const {
    return twipsOf(form_.frameGeometry().width());
}

int WindowAdapter::height() const {
    return twipsOf(form_.frameGeometry().height());
}

// The restored rectangle with the frame, so that what is saved is what move()
// takes back at the next start.
TwipsRect WindowAdapter::normalRect() const {
    const QRect client = form_.normalGeometry();
    const QRect frame = form_.frameGeometry();
    const QRect inner = form_.geometry();
    const QRect whole =
        client.adjusted(frame.left() - inner.left(), frame.top() - inner.top(),
                        frame.right() - inner.right(), frame.bottom() - inner.bottom());
    return {twipsOf(whole.left()), twipsOf(whole.top()), twipsOf(whole.right() + 1),
            twipsOf(whole.bottom() + 1)};
}

void WindowAdapter::show() {
    form_.show();
    form_.raise();
    form_.activateWindow();
}

void WindowAdapter::hide() {
    form_.hide();
}

void WindowAdapter::close() {
    form_.close();
}

double WindowAdapter::textWidth(const std::u16string& text) const {
    return QFontMetricsF(form_.font()).horizontalAdvance(toQString(text));
}

Form::Form(const WindowDesign& design) : menu_(design.menu) {
    form_.setWindowTitle(toQString(design.title));
    form_.setFixedSize(pixelsOf(design.clientWidth), pixelsOf(design.clientHeight));
    for (const ControlDesign& control : design.controls) {
        QWidget* widget = build(control);
        widget->setGeometry(pixelsOf(control.left), pixelsOf(control.top), pixelsOf(control.width),
                            pixelsOf(control.height));
        widgets_.emplace(controlKey(control), widget);
    }
    setTabOrder(design);
}

QWidget* Form::build(const ControlDesign& design) {
    const QString caption = toQString(design.caption);
    switch (design.kind) {
    case ControlKind::Label:
        return new QLabel(caption, &form_);
    case ControlKind::Button: {
        QPushButton* button = design.name == u"开始转换" ? new SymbolButton(caption, &form_)
                                                         : new QPushButton(caption, &form_);
        buttons_.emplace(design.name, std::make_unique<ButtonAdapter>(*button, newHandle()));
        return button;
    }
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(&form_);
        for (const std::u16string& item : design.items)
            combo->addItem(toQString(item));
        combo->setCurrentIndex(-1);
        combos_.emplace(design.name, std::make_unique<ComboAdapter>(*combo));
        return combo;
    }
    case ControlKind::ListBox: {
        auto* list = new FileList(&form_);
        fileLists_.emplace(design.name, list);
        lists_.emplace(design.name, std::make_unique<ListAdapter>(*list));
        return list;
    }
    case ControlKind::TextBox: {
        auto* view = new ClipboardView(&form_);
        views_.emplace(design.name, view);
        texts_.emplace(design.name, std::make_unique<TextAdapter>(*view));
        return view;
    }
    }
    return nullptr;
}

void Form::setTabOrder(const WindowDesign& design) {
    QWidget* previous = nullptr;
    for (const ControlDesign* item : inTabOrder(design)) {
        if (item->kind == ControlKind::Label) continue; // a label takes no focus
        QWidget* next = control(controlKey(*item));
        if (previous) QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

QWidget* Form::control(const std::u16string& key) const {
    const auto found = widgets_.find(key);
    return found == widgets_.end() ? nullptr : found->second;
}

} // namespace tolvane::qt
