// The Qt window with the real window logic behind it: what the widgets add
// (the Start button's symbols, the window's own events, the popup menu), a
// drop and a logout.

#include "app/gui/wiring.h"
#include "common/scratch_folder.h"
#include "engine/state.h"
#include "frontend/qt/text.h"
#include "window/layout.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <algorithm>
#include <gtest/gtest.h>

namespace tolvane::qt {
namespace {

class 真窗体 : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directory(folder.path() / "对照表");
        for (const char* table : {"对照表/甲.txt", "对照表/乙.txt"})
            testing::writeBytes(folder / table, "a b\r\n");
        window.emplace(
            gui::controlsOf(form), desktop,
            文件位置{folder.path().u16string(), {(folder.path() / "对照表").u16string()}});
        gui::connectHandlers(form, *window, desktop);
        window->Form_Load();
    }
    void TearDown() override { form.widget().close(); }

    // Drags the data over the list and drops it; returns whether each was accepted.
    std::pair<bool, bool> dragAndDrop(const QMimeData& data) {
        QWidget* target = form.fileList(u"源文件").viewport();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        return {enter.isAccepted(), drop.isAccepted()};
    }
    QUrl url(const char* name) const {
        return QUrl::fromLocalFile(toQString((folder / name).u16string()));
    }

    testing::ScratchFolder folder;
    Form form{主窗体设计()};
    QtDesktop desktop{form.widget()};
    std::optional<主窗体> window;
};

TEST_F(真窗体, 开始按钮两种状态画出的图案不同而标题不变) {
    const QImage play = form.control(u"开始转换")->grab().toImage();
    form.button(u"开始转换").setCaption(u"<");
    EXPECT_EQ(form.button(u"开始转换").caption(), u"<");
    EXPECT_NE(play, form.control(u"开始转换")->grab().toImage());
}

TEST_F(真窗体, 程序自己改状态不报告而关闭只卸载一次且位置以缇往返) {
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

TEST_F(真窗体, 转换方式菜单项插在关闭之前并报告序号) {
    MenuAdapter& menu = form.menu();
    const QList<QAction*> actions = menu.menu().actions();
    // The item of the second table in 依据.
    const QString second = "剪贴板“" + toQString(form.combo(u"依据").itemText(1)).chopped(4) + "”";
    const auto at = std::find_if(actions.begin(), actions.end(),
                                 [&](QAction* a) { return a->text() == second; });
    ASSERT_NE(at, actions.end());
    EXPECT_EQ(actions.back()->text(), QString("关闭"));
    int chosen = -1;
    menu.onChoose = [&](MenuCommand command, int index) {
        chosen = command == MenuCommand::Mode ? index : -2;
    };
    (*at)->trigger();
    EXPECT_EQ(chosen, 1);
}

TEST_F(真窗体, 拖放只接受文件列表且只加入文件而选中的可删除) {
    QMimeData text;
    text.setText("just text");
    EXPECT_EQ(dragAndDrop(text), std::make_pair(false, false));
    QMimeData files;
    files.setUrls({url("对照表/甲.txt"), url("对照表")});
    EXPECT_EQ(dragAndDrop(files), std::make_pair(true, true));
    ASSERT_EQ(form.list(u"源文件").count(), 1);
    EXPECT_EQ(form.list(u"源文件").itemText(0), (folder / "对照表/甲.txt").u16string());
    // Selected in the widget, removed by the window.
    form.fileList(u"源文件").item(0)->setSelected(true);
    qobject_cast<QPushButton*>(form.control(u"删除"))->click();
    EXPECT_EQ(form.list(u"源文件").count(), 0);
}

// A logout reaches the program as a Quit event sent to the application
// (SIGTERM and SIGHUP are turned into one too). Qt closes only visible windows
// then; this one sits in the tray.
TEST_F(真窗体, 会话结束时在系统栏里也如同关闭框一样卸载) {
    form.widget().hide();
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
    const std::string settings = testing::readBytes(folder / "Tolvane.ini");
    EXPECT_NE(settings.find("\r\nX="), std::string::npos) << "settings not written";
    EXPECT_TRUE(取消标志) << "a running job would not stop";
}

} // namespace
} // namespace tolvane::qt
