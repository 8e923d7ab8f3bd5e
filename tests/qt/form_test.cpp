// The window's Qt widgets: the Start button's symbols, the list's extent,
// the clipboard box, the window's own events and the popup menu.

#include "frontend/qt/form.h"
#include "frontend/qt/text.h"
#include "window/layout.h"

#include <QComboBox>
#include <QImage>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace tolvane::qt {
namespace {

TEST(窗体布局, 窗体大小固定而类型有三项依据起初为空) {
    Form form(主窗体设计());
    EXPECT_EQ(form.widget().minimumSize(), form.widget().maximumSize());
    EXPECT_EQ(form.combo(u"类型").count(), 3);
    EXPECT_EQ(form.combo(u"依据").selectedIndex(), -1);
}

QImage grabbed(QWidget& widget) {
    return widget.grab().toImage();
}

TEST(开始按钮, 两种状态画出的图案不同而标题不变) {
    Form form(主窗体设计());
    const QImage play = grabbed(*form.control(u"开始转换"));
    form.button(u"开始转换").setCaption(u"<");
    EXPECT_EQ(form.button(u"开始转换").caption(), u"<");
    EXPECT_NE(play, grabbed(*form.control(u"开始转换")));
}

TEST(源文件列表, 水平范围超过宽度才有滚动条) {
    Form form(主窗体设计());
    FileList& list = form.fileList(u"源文件");
    form.widget().show();
    list.setHorizontalExtent(1000);
    EXPECT_EQ(list.horizontalScrollBar()->maximum(), 1000 - list.viewport()->width());
    list.setHorizontalExtent(0);
    EXPECT_EQ(list.horizontalScrollBar()->maximum(), 0);
    list.setHorizontalExtent(100000);
    EXPECT_EQ(list.horizontalExtent(), 32767);
}

TEST(源文件列表, 多选并按序号删除) {
    Form form(主窗体设计());
    ListAdapter& list = form.list(u"源文件");
    for (const char16_t* name : {u"/a", u"/b", u"/c"})
        list.addItem(name);
    form.fileList(u"源文件").item(0)->setSelected(true);
    form.fileList(u"源文件").item(2)->setSelected(true);
    EXPECT_EQ(list.selectedCount(), 2);
    EXPECT_TRUE(list.isSelected(2));
    list.removeItem(0);
    EXPECT_EQ(list.itemText(0), u"/b");
    EXPECT_EQ(list.itemText(5), u"");
}

TEST(剪贴板框, 最多显示2048个字符且只读) {
    Form form(主窗体设计());
    TextAdapter& box = form.textBox(u"剪贴板");
    box.setText(std::u16string(3000, u'字'));
    EXPECT_EQ(box.text().size(), 2048U);
    EXPECT_TRUE(form.clipboardView(u"剪贴板").isReadOnly());
}

TEST(窗体事件, 程序自己改状态不报告而关闭只卸载一次) {
    Form form(主窗体设计());
    int stateChanges = 0;
    int unloads = 0;
    form.widget().onStateChange = [&] { ++stateChanges; };
    form.widget().onUnload = [&] { ++unloads; };
    form.window().show();
    form.window().setState(WindowState::Minimized);
    EXPECT_EQ(form.window().state(), WindowState::Minimized);
    EXPECT_EQ(stateChanges, 0);
    form.widget().setWindowState(Qt::WindowNoState); // as the system would
    EXPECT_EQ(stateChanges, 1);
    form.window().close();
    form.widget().close();
    EXPECT_EQ(unloads, 1);
}

TEST(窗体事件, 隐藏后控件仍记得自己可见) {
    Form form(主窗体设计());
    form.window().show();
    form.window().hide();
    EXPECT_TRUE(form.list(u"源文件").visible());
    form.list(u"源文件").setVisible(false);
    EXPECT_FALSE(form.list(u"源文件").visible());
}

TEST(窗体事件, 位置以缇为单位往返) {
    Form form(主窗体设计());
    form.window().move(1500, 3000);
    EXPECT_EQ(form.window().left(), 1500);
    EXPECT_EQ(form.window().top(), 3000);
    const TwipsRect normal = form.window().normalRect();
    EXPECT_EQ(normal.left, 1500);
    EXPECT_EQ(normal.top, 3000);
    EXPECT_EQ(normal.right - normal.left, form.window().width());
}

TEST(弹出菜单, 转换方式数组插在分隔线之前且恢复是默认项) {
    Form form(主窗体设计());
    MenuAdapter& menu = form.menu();
    EXPECT_EQ(menu.modeItemCount(), 1);
    EXPECT_FALSE(menu.modeItemEnabled(0));
    menu.addModeItem();
    menu.setModeItemCaption(1, u"剪贴板“繁体到简体”");
    const QList<QAction*> actions = menu.menu().actions();
    ASSERT_EQ(actions.size(), 8);
    EXPECT_EQ(actions[5]->text(), QString("剪贴板“繁体到简体”"));
    EXPECT_TRUE(actions[6]->isSeparator());
    EXPECT_EQ(actions[7]->text(), QString("关闭"));
    EXPECT_EQ(menu.menu().defaultAction()->text(), QString("恢复"));
    int chosen = -1;
    menu.onMode = [&](int index) { chosen = index; };
    actions[5]->trigger();
    EXPECT_EQ(chosen, 1);
}

} // namespace
} // namespace tolvane::qt
