#include "window/layout.h"

#include <algorithm>
#include <cstdint>

namespace tolvane {

namespace {

WindowDesign makeDesign() {
    using K = ControlKind;
    WindowDesign d;
    d.title = u"Tolvane";
    d.clientWidth = 4545;
    d.clientHeight = 3615;
    d.controls = {
        {K::Label, u"l", 0, u"内码对照表：", {}, 120, 200, 1080, 180, 7},
        {K::Label, u"l", 2, u"转换类型：", {}, 3120, 195, 900, 180, 10},
        {K::ComboBox, u"依据", -1, u"", {}, 240, 480, 2775, 300, 0},
        {K::ComboBox, u"类型", -1, u"", {u"文件", u"文件名", u"剪贴板"}, 3240, 480, 1095, 300, 9},
        {K::Label, u"l", 1, u"源文件：", {}, 120, 920, 720, 180, 8},
        {K::Button, u"选择源文件", -1, u"+", {}, 1080, 860, 375, 300, 1},
        {K::Button, u"删除", -1, u"-", {}, 1440, 860, 375, 300, 2},
        {K::Button, u"清除", -1, u"清除", {}, 1800, 860, 735, 300, 3},
        {K::Button, u"开始转换", -1, u"4", {}, 3480, 860, 495, 300, 6},
        {K::ListBox, u"源文件", -1, u"", {}, 240, 1230, 4095, 2220, 4},
        {K::TextBox, u"剪贴板", -1, u"", {}, 240, 1230, 4095, 2220, 5},
    };
    using C = MenuCommand;
    d.menu = {
        {u"关于", u"关于", true, C::About},         {u"l1", u"-", true, C::Separator},
        {u"恢复", u"恢复", true, C::Restore},       {u"l2", u"-", true, C::Separator},
        {u"转换方式", u"转换方式", false, C::Mode}, {u"l3", u"-", true, C::Separator},
        {u"关闭", u"关闭", true, C::Close},
    };
    return d;
}

// a * b / c to the nearest whole number, halves away from zero; c > 0.
int scaled(int a, int b, int c) {
    const std::int64_t product = std::int64_t{a} * b;
    const std::int64_t half = product < 0 ? -(c / 2) : c / 2;
    return static_cast<int>((product + half) / c);
}

} // namespace

const WindowDesign& 主窗体设计() {
    static const WindowDesign design = makeDesign();
    return design;
}

std::u16string controlKey(const ControlDesign& design) {
    if (design.index < 0) return design.name;
    std::u16string key = design.name + u"(";
    for (const char digit : std::to_string(design.index))
        key += static_cast<char16_t>(digit);
    return key + u")";
}

std::vector<const ControlDesign*> inTabOrder(const WindowDesign& design) {
    std::vector<const ControlDesign*> order;
    for (const ControlDesign& control : design.controls)
        order.push_back(&control);
    std::ranges::stable_sort(order, {}, &ControlDesign::tabIndex);
    return order;
}

int pixelsOf(int twips, int dpi) {
    return scaled(twips, dpi, 1440);
}

int twipsOf(int pixels, int dpi) {
    return scaled(pixels, 1440, dpi);
}

} // namespace tolvane
