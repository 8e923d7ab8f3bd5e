// Prints where the end-to-end scripts click: each control of the main window,
// one a line, as its key and its centre in pixels at the standard density,
// for example "依据 108 42".

#include "platform/utf8.h"
#include "window/layout.h"

#include <cstdio>

int main() {
    using namespace tolvane;
    for (const ControlDesign& control : 主窗体设计().controls)
        std::printf("%s %d %d\n", toUtf8(controlKey(control)).c_str(),
                    pixelsOf(control.left + control.width / 2),
                    pixelsOf(control.top + control.height / 2));
    return 0;
}
