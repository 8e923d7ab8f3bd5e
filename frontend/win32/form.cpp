#include "frontend/win32/form.h"

#include "frontend/win32/resources/resource_ids.h"
#include "frontend/win32/text.h"

#include <algorithm>
#include <commctrl.h>
#include <cwchar>

namespace tolvane::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TolvaneMainWindow";
// A fixed layout: the frame offers no sizing and no maximise.
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kFirstControlId = 100;
// The drop-down part of a combo box, below its closed height.
constexpr int kDropDownPixels = 160;

int screenDpi() {
    const HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

HFONT userInterfaceFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return ::CreateFontIndirectW(&metrics.lfMessageFont);
}

LOGFONTW webdings() {
    LOGFONTW font{};
    font.lfCharSet = SYMBOL_CHARSET;
    std::wcscpy(font.lfFaceName, L"Webdings");
    return font;
}

HFONT webdingsFont(int dpi) {
    LOGFONTW font = webdings();
    font.lfHeight = -::MulDiv(12, dpi, 72);
    font.lfWeight = FW_NORMAL;
    return ::CreateFontIndirectW(&font);
}

int CALLBACK fontFound(const LOGFONTW* /*font*/, const TEXTMETRICW* /*metric*/, DWORD /*type*/,
                       LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

HINSTANCE instance() {
    return ::GetModuleHandleW(nullptr);
}

void registerClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.hInstance = instance();
        windowClass.lpszClassName = kClassName;
        windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.hIcon = static_cast<HICON>(
            ::LoadImageW(instance(), MAKEINTRESOURCEW(TOLVANE_IDLE_ICON), IMAGE_ICON, 32, 32, 0));
        windowClass.hIconSm = static_cast<HICON>(
            ::LoadImageW(instance(), MAKEINTRESOURCEW(TOLVANE_IDLE_ICON), IMAGE_ICON, 16, 16, 0));
        windowClass.lpfnWndProc = ::DefWindowProcW;
        return ::RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

} // namespace

bool hasWebdings() {
    LOGFONTW font = webdings();
    font.lfCharSet = DEFAULT_CHARSET;
    bool found = false;
    const HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(screen, &font, fontFound, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, screen);
    return found;
}

Form::Form(const WindowDesign& design, SymbolFont symbols)
    : dpi_(screenDpi()), font_(userInterfaceFont()),
      taskbarCreated_(::RegisterWindowMessageW(L"TaskbarCreated")) {
    drawnSymbols_ =
        symbols == SymbolFont::Drawn || (symbols == SymbolFont::Detect && !hasWebdings());
    if (!drawnSymbols_) symbolFont_ = webdingsFont(dpi_);
    createWindow(design);
    menu_ = std::make_unique<PopupMenuControl>(design.menu, hwnd_);
    // Created in tab order, so that Tab visits them in that order.
    for (const ControlDesign* control : inTabOrder(design))
        createControl(*control, kFirstControlId + control->tabIndex);
}

Form::~Form() {
    if (::IsWindow(hwnd_)) {
        unloaded_ = true;
        ::DestroyWindow(hwnd_);
    }
    ::DeleteObject(font_);
    if (symbolFont_) ::DeleteObject(symbolFont_);
}

int Form::pixels(int twips) const {
    return pixelsOf(twips, dpi_);
}

int Form::twips(int pixels) const {
    return twipsOf(pixels, dpi_);
}

SIZE Form::textExtent(const std::u16string& text) const {
    const HDC dc = ::GetDC(hwnd_);
    const HGDIOBJ previous = ::SelectObject(dc, font_);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, wide(text), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, previous);
    ::ReleaseDC(hwnd_, dc);
    return size;
}

void Form::createWindow(const WindowDesign& design) {
    registerClass();
    RECT frame{0, 0, pixels(design.clientWidth), pixels(design.clientHeight)};
    ::AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    hwnd_ = ::CreateWindowExW(0, kClassName, wide(design.title), kWindowStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                              nullptr, nullptr, instance(), nullptr);
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Form::windowProc));
}

HWND Form::createNative(const ControlDesign& design, int id) {
    const wchar_t* className = L"Static";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    int height = pixels(design.height);
    int width = pixels(design.width);
    switch (design.kind) {
    case ControlKind::Label: {
        style |= SS_LEFT | SS_NOPREFIX;
        // Sized to its text.
        const SIZE text = textExtent(design.caption);
        width = text.cx;
        height = text.cy;
        break;
    }
    case ControlKind::ComboBox:
        className = L"ComboBox";
        style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
        height += kDropDownPixels;
        break;
    case ControlKind::Button:
        className = L"Button";
        style |= WS_TABSTOP | (design.name == u"开始转换" && drawnSymbols_ ? BS_OWNERDRAW : 0);
        break;
    case ControlKind::ListBox:
        className = L"ListBox";
        style |= LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL |
                 WS_TABSTOP;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    case ControlKind::TextBox:
        className = L"Edit";
        style |= ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL |
                 WS_HSCROLL | WS_TABSTOP;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    }
    return ::CreateWindowExW(exStyle, className, wide(design.caption), style, pixels(design.left),
                             pixels(design.top), width, height, hwnd_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(),
                             nullptr);
}

void Form::createControl(const ControlDesign& design, int id) {
    const HWND native = createNative(design, id);
    const bool symbols = design.name == u"开始转换" && !drawnSymbols_;
    ::SendMessageW(native, WM_SETFONT, reinterpret_cast<WPARAM>(symbols ? symbolFont_ : font_),
                   FALSE);
    controls_[controlKey(design)] = native;
    names_[id] = design.name;
    switch (design.kind) {
    case ControlKind::Label:
        break;
    case ControlKind::ComboBox:
        combos_[design.name] = std::make_unique<ComboControl>(native);
        for (const std::u16string& item : design.items)
            combos_[design.name]->addItem(item);
        break;
    case ControlKind::Button:
        buttons_[design.name] = std::make_unique<ButtonControl>(native);
        break;
    case ControlKind::ListBox:
        lists_[design.name] = std::make_unique<ListControl>(native);
        dropTarget_ = std::make_unique<FileDropTarget>(dropHandlers);
        // Needs OLE on this thread; without it the list takes no drops.
        ::RegisterDragDrop(native, dropTarget_.get());
        break;
    case ControlKind::TextBox:
        texts_[design.name] = std::make_unique<TextControl>(native);
        ::SendMessageW(native, EM_SETLIMITTEXT, kClipboardPreviewUnits, 0);
        ::SetWindowSubclass(native, &Form::textBoxProc, 1, reinterpret_cast<DWORD_PTR>(this));
        break;
    }
}

LRESULT CALLBACK Form::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = reinterpret_cast<Form*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!form) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    return form->handle(message, wParam, lParam);
}

LRESULT CALLBACK Form::textBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR /*id*/, DWORD_PTR form) {
    const LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
    auto* self = reinterpret_cast<Form*>(form);
    if (message == WM_LBUTTONDBLCLK && self->onDoubleClick) self->onDoubleClick();
    return result;
}

LRESULT Form::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        command(wParam);
        return 0;
    case WM_SIZE:
        sized(wParam);
        return 0;
    case WM_DRAWITEM:
        drawSymbol(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CLOSE:
        unload();
        return 0;
    case WM_DESTROY:
        for (const auto& [name, list] : lists_)
            ::RevokeDragDrop(list->hwnd());
        if (onDestroyed) onDestroyed();
        return 0;
    case kPostedCalls:
        if (onPosted) onPosted();
        return 0;
    default:
        if (message == taskbarCreated_ && onTaskbarCreated) onTaskbarCreated();
        return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void Form::command(WPARAM wParam) {
    const auto found = names_.find(LOWORD(wParam));
    if (found == names_.end() || !onClick) return;
    const std::u16string& name = found->second;
    const WORD code = HIWORD(wParam);
    if ((buttons_.count(name) && code == BN_CLICKED) ||
        (combos_.count(name) && code == CBN_SELCHANGE))
        onClick(name);
}

void Form::sized(WPARAM kind) {
    WindowState state = WindowState::Normal;
    if (kind == SIZE_MINIMIZED)
        state = WindowState::Minimized;
    else if (kind == SIZE_MAXIMIZED)
        state = WindowState::Maximized;
    else if (kind != SIZE_RESTORED)
        return;
    if (state == reported_) return;
    reported_ = state;
    window_.stateChanged(state);
    if (!settingState && onStateChange) onStateChange();
}

void Form::unload() {
    if (!unloaded_) {
        unloaded_ = true;
        if (onUnload) onUnload();
    }
    ::DestroyWindow(hwnd_);
}

// The Start button without Webdings: a triangle for "4", a square for "<".
void Form::drawSymbol(const DRAWITEMSTRUCT& item) const {
    RECT frame = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    ::DrawFrameControl(item.hDC, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const HBRUSH brush = ::GetSysColorBrush(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    const int cx = (frame.left + frame.right) / 2 + (pushed ? 1 : 0);
    const int cy = (frame.top + frame.bottom) / 2 + (pushed ? 1 : 0);
    const int half = std::max(2, pixels(90));
    const std::u16string caption = windowText(item.hwndItem);
    const HGDIOBJ oldBrush = ::SelectObject(item.hDC, brush);
    const HGDIOBJ oldPen = ::SelectObject(item.hDC, ::GetStockObject(NULL_PEN));
    if (caption == u"4") {
        const POINT triangle[] = {{cx - half, cy - half}, {cx - half, cy + half}, {cx + half, cy}};
        ::Polygon(item.hDC, triangle, 3);
    } else if (caption == u"<") {
        ::Rectangle(item.hDC, cx - half, cy - half, cx + half + 1, cy + half + 1);
    }
    ::SelectObject(item.hDC, oldPen);
    ::SelectObject(item.hDC, oldBrush);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        ::InflateRect(&focus, -4, -4);
        ::DrawFocusRect(item.hDC, &focus);
    }
}

} // namespace tolvane::win32
