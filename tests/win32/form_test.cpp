#include "frontend/win32/form.h"
#include "frontend/win32/text.h"
#include "window/layout.h"

#include <gtest/gtest.h>

namespace tolvane::win32 {
namespace {

RECT placeInParent(HWND control) {
    RECT place{};
    ::GetWindowRect(control, &place);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

TEST(原生窗体, 客户区和控件按缇换算的位置和大小) {
    Form form(主窗体设计());
    RECT client{};
    ::GetClientRect(form.hwnd(), &client);
    EXPECT_EQ(client.right, form.pixels(主窗体设计().clientWidth));
    EXPECT_EQ(client.bottom, form.pixels(主窗体设计().clientHeight));
    for (const ControlDesign& design : 主窗体设计().controls) {
        const RECT place = placeInParent(form.control(controlKey(design)));
        const std::string name = ::testing::PrintToString(controlKey(design));
        EXPECT_EQ(place.left, form.pixels(design.left)) << name;
        EXPECT_EQ(place.top, form.pixels(design.top)) << name;
        // Labels fit their text; a combo box's height includes its drop-down part.
        if (design.kind == ControlKind::Label) continue;
        EXPECT_EQ(place.right - place.left, form.pixels(design.width)) << name;
        if (design.kind != ControlKind::ComboBox) {
            EXPECT_EQ(place.bottom - place.top, form.pixels(design.height)) << name;
        }
    }
}

// The Start button drawn without Webdings, into a bitmap: whether the point
// near the symbol box's upper right corner is dark (a square has it, a
// triangle pointing right does not) and whether the centre is.
struct Drawn {
    bool corner;
    bool centre;
};

Drawn drawStart(Form& form) {
    const HWND button = form.control(u"开始转换");
    RECT area{};
    ::GetClientRect(button, &area);
    const HDC screen = ::GetDC(nullptr);
    const HDC dc = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, area.right, area.bottom);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.hwndItem = button;
    item.hDC = dc;
    item.rcItem = area;
    ::SendMessageW(form.hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
    const int cx = area.right / 2;
    const int cy = area.bottom / 2;
    const int half = form.pixels(90);
    const auto dark = [&](int x, int y) { return GetRValue(::GetPixel(dc, x, y)) < 64; };
    const Drawn drawn{dark(cx + half - 1, cy - half + 1), dark(cx, cy)};
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return drawn;
}

TEST(开始按钮, 没有Webdings时自己画三角和方块而标题不变) {
    Form form(主窗体设计(), SymbolFont::Drawn);
    ButtonControl& start = form.button(u"开始转换");
    EXPECT_TRUE(::GetWindowLongW(start.hwnd(), GWL_STYLE) & BS_OWNERDRAW);
    const Drawn play = drawStart(form);
    EXPECT_TRUE(play.centre);
    EXPECT_FALSE(play.corner);
    start.setCaption(u"<");
    EXPECT_EQ(start.caption(), u"<");
    const Drawn stop = drawStart(form);
    EXPECT_TRUE(stop.centre);
    EXPECT_TRUE(stop.corner);
}

TEST(弹出菜单, 恢复是默认项而转换方式的元素接在数组末尾) {
    Form form(主窗体设计());
    PopupMenuControl& menu = form.menu();
    const UINT defaultId = ::GetMenuDefaultItem(menu.handle(), FALSE, 0);
    wchar_t caption[16] = {};
    ::GetMenuStringW(menu.handle(), defaultId, caption, 16, MF_BYCOMMAND);
    EXPECT_EQ(fromWide(caption), u"恢复");
    menu.addModeItem();
    menu.setModeItemCaption(1, u"剪贴板“简体到繁体”");
    // 关于, -, 恢复, -, 转换方式(0), 转换方式(1), -, 关闭
    wchar_t sixth[32] = {};
    ::GetMenuStringW(menu.handle(), 5, sixth, 32, MF_BYPOSITION);
    EXPECT_EQ(fromWide(sixth), u"剪贴板“简体到繁体”");
    int chosen = -1;
    menu.onChoose = [&chosen](MenuCommand command, int index) {
        chosen = command == MenuCommand::Mode ? index : -2;
    };
    EXPECT_TRUE(menu.choose(::GetMenuItemID(menu.handle(), 5)));
    EXPECT_EQ(chosen, 1);
}

} // namespace
} // namespace tolvane::win32
