// The real window logic behind the Qt window: one of list and text box shows,
// and a dropped file list adds its files but not its folders.

#include "app/gui/wiring.h"
#include "engine/state.h"
#include "frontend/qt/text.h"
#include "window/layout.h"

#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace tolvane::qt {
namespace {

class 真窗体 : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        QDir(folder.path()).mkpath("对照表");
        window.emplace(gui::controlsOf(form), desktop, toU16(folder.path()));
        gui::connectHandlers(form, *window, desktop);
        window->Form_Load();
    }
    void TearDown() override { form.widget().close(); }

    QString makeFile(const QString& name) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }

    // Drags the data over the list and drops it; returns whether each was accepted.
    std::pair<bool, bool> dragAndDrop(const QMimeData& data) {
        QWidget* target = form.fileList(u"源文件").viewport();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        return {enter.isAccepted(), drop.isAccepted()};
    }

    QTemporaryDir folder;
    Form form{主窗体设计()};
    QtDesktop desktop{form.widget()};
    std::optional<主窗体> window;
};

TEST_F(真窗体, 列表和剪贴板框一次只显示一个) {
    ListAdapter& list = form.list(u"源文件");
    TextAdapter& box = form.textBox(u"剪贴板");
    EXPECT_TRUE(list.visible());
    EXPECT_FALSE(box.visible());
    desktop.clipboard().setText(u"剪贴板里的字");
    form.combo(u"类型").setSelectedIndex(2);
    window->类型_Click();
    EXPECT_FALSE(list.visible());
    EXPECT_TRUE(box.visible());
    EXPECT_EQ(box.text(), u"剪贴板里的字");
    EXPECT_EQ(form.control(u"剪贴板")->geometry(), form.control(u"源文件")->geometry());
}

TEST_F(真窗体, 拖放文件和文件夹只加入文件) {
    const QString file = makeFile("甲.txt");
    QDir(folder.path()).mkdir("子文件夹");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file), QUrl::fromLocalFile(folder.filePath("子文件夹"))});
    EXPECT_EQ(dragAndDrop(data), std::make_pair(true, true));
    ListAdapter& list = form.list(u"源文件");
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.itemText(0), toU16(file));
    EXPECT_GT(form.fileList(u"源文件").horizontalExtent(), 0);
}

TEST_F(真窗体, 拖来的不是文件列表就拒绝) {
    QMimeData text;
    text.setText("just text");
    EXPECT_EQ(dragAndDrop(text), std::make_pair(false, false));
    QMimeData web;
    web.setUrls({QUrl("https://example.org/a.txt")});
    EXPECT_EQ(dragAndDrop(web).first, false);
    EXPECT_EQ(form.list(u"源文件").count(), 0);
}

TEST_F(真窗体, 启动后标题和开始按钮处于空闲) {
    EXPECT_EQ(form.window().caption(), u"Tolvane 0.95 版");
    EXPECT_EQ(form.button(u"开始转换").caption(), u"4");
    EXPECT_TRUE(form.widget().isVisible());
}

// The session manager ends a session by sending the application a Quit event
// (SIGTERM and SIGHUP are turned into one too). Qt closes only visible windows
// then; this one sits in the tray.
TEST_F(真窗体, 会话结束时在系统栏里也如同关闭框一样卸载) {
    form.widget().hide();
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
    QFile settings(folder.filePath("Tolvane.ini"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly)) << "settings not written";
    EXPECT_TRUE(settings.readAll().contains("\r\nX="));
    EXPECT_TRUE(取消标志) << "a running job would not stop";
}

TEST(真窗体的对照表, 启动后不选任何表而用键盘选中就载入) {
    QTemporaryDir folder;
    QDir(folder.path()).mkpath("对照表");
    for (const char* name : {"对照表/甲.txt", "对照表/乙.txt"}) {
        QFile table(folder.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(table.open(QIODevice::WriteOnly));
    }
    Form form{主窗体设计()};
    QtDesktop desktop{form.widget()};
    主窗体 window(gui::controlsOf(form), desktop, toU16(folder.path()));
    gui::connectHandlers(form, window, desktop);
    window.Form_Load();

    ComboAdapter& tables = form.combo(u"依据");
    EXPECT_EQ(tables.count(), 2);
    EXPECT_EQ(tables.selectedIndex(), -1);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(form.control(u"依据"), &down);
    EXPECT_EQ(tables.selectedIndex(), 0);
    EXPECT_EQ(form.window().caption(), u"读取内码对照表完成！");
    form.widget().close();
}

} // namespace
} // namespace tolvane::qt
