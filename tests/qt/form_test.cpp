// What the Qt widgets add to the window's controls: the Start button's
// symbols, the window's own events and the popup menu.

#include "frontend/qt/form.h"
#include "window/layout.h"

#include <QImage>
#include <gtest/gtest.h>

namespace tolvane::qt {
namespace {

TEST(窗体, 开始按钮两种状态画出的图案不同而标题不变) {
    Form form(主窗体设计());
    const QImage play = form.control(u"开始转换")->grab().toImage();
    form.button(u"开始转换").setCaption(u"<");
    EXPECT_EQ(form.button(u"开始转换").caption(), u"<");
    EXPECT_NE(play, form.control(u"开始转换")->grab().toImage());
}

TEST(窗体, 程序自己改状态不报告而关闭只卸载一次且位置以缇往返) {
    Form form(主窗体设计());
    int stateChanges = 0;
    int unloads = 0;
    form.widget().onStateChange = [&] { ++stateChanges; };
    form.widget().onUnload = [&] { ++unloads; };
    form.window().move(1500, 3000);
    EXPECT_EQ(form.window().normalRect().left, 1500);
    EXPECT_EQ(form.window().top(), 3000);
    form.window().show();
    form.window().setState(WindowState::Minimized);
    EXPECT_EQ(form.window().state(), WindowState::Minimized);
    EXPECT_EQ(stateChanges, 0);
    form.widget().setWindowState(Qt::WindowNoState); // as the system would
    EXPECT_EQ(stateChanges, 1);
    form.window().hide(); // into the tray: the controls keep their own visibility
    EXPECT_TRUE(form.list(u"源文件").visible());
    form.window().close();
    form.widget().close();
    EXPECT_EQ(unloads, 1);
}

TEST(窗体, 转换方式菜单项插在关闭之前并报告序号) {
    Form form(主窗体设计());
    MenuAdapter& menu = form.menu();
    menu.addModeItem();
    menu.setModeItemCaption(1, u"剪贴板“甲”");
    const QList<QAction*> actions = menu.menu().actions();
    const auto at = std::find_if(actions.begin(), actions.end(),
                                 [](QAction* a) { return a->text() == "剪贴板“甲”"; });
    ASSERT_NE(at, actions.end());
    EXPECT_EQ(actions.back()->text(), QString("关闭"));
    int chosen = -1;
    menu.onMode = [&](int index) { chosen = index; };
    (*at)->trigger();
    EXPECT_EQ(chosen, 1);
}

} // namespace
} // namespace tolvane::qt
