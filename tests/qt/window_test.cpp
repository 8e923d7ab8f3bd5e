// The Qt window with the real window logic behind it: what the widgets add
// (the window's own events, the popup menu and the clipboard), a drop and a
// logout.

#include "app/gui/wiring.h"
#include "common/scratch_folder.h"
#include "engine/state.h"
#include "frontend/qt/text.h"
#include "platform/utf8.h"
#include "window/layout.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>
#include <algorithm>
#include <gtest/gtest.h>
#include <thread>

namespace tolvane::qt {
namespace {

class 真窗体 : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directory(folder.path() / "对照表");
        testing::writeBytes(folder / "对照表/甲.txt", "a b\r\n");
        testing::writeBytes(folder / "对照表/乙.txt", "a c\r\n");
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
    QByteArray uri(const char* encodedName) const {
        return QUrl::fromLocalFile(toQString(folder.path().u16string())).toEncoded() + '/' +
               encodedName;
    }

    testing::ScratchFolder folder;
    Form form{主窗体设计()};
    QtDesktop desktop{form.widget()};
    std::optional<主窗体> window;
};

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

// The item of the second table in 依据 converts the clipboard with that
// table, and the result goes to the clipboard, not to the primary selection.
TEST_F(真窗体, 转换方式菜单项插在关闭之前并用它的表把剪贴板转换回剪贴板) {
    const QList<QAction*> actions = form.menu().menu().actions();
    const std::u16string table = form.combo(u"依据").itemText(1);
    const QString second = "剪贴板“" + toQString(table).chopped(4) + "”";
    const auto at = std::find_if(actions.begin(), actions.end(),
                                 [&](QAction* a) { return a->text() == second; });
    ASSERT_NE(at, actions.end());
    EXPECT_EQ(actions.back()->text(), QString("关闭"));
    QClipboard& clipboard = *QGuiApplication::clipboard();
    clipboard.setText("a");
    (*at)->trigger();
    const QString expected = table == u"甲.txt" ? "b" : "c";
    for (int wait = 0; wait < 2000 && clipboard.text() != expected; ++wait) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(clipboard.text(), expected);
}

// What the list accepts is the window's rule; the widget's part is reading the
// URIs: a name is the file system's bytes, GBK bytes that are no UTF-8 and
// "%41", which a second decoding would turn into "A".
TEST_F(真窗体, 拖放的文件名按文件系统的字节读出) {
    QMimeData text;
    text.setText("just text");
    EXPECT_EQ(dragAndDrop(text), std::make_pair(false, false));
    const std::string gbkName = "\xBA\xBA.txt";
    testing::writeBytes(folder.path() / gbkName, "");
    testing::writeBytes(folder.path() / "%41.txt", "");
    QMimeData files;
    files.setData("text/uri-list", uri("%BA%BA.txt") + "\r\n" + uri("%2541.txt") + "\r\n");
    EXPECT_EQ(dragAndDrop(files), std::make_pair(true, true));
    ASSERT_EQ(form.list(u"源文件").count(), 2);
    EXPECT_EQ(toUtf8(form.list(u"源文件").itemText(0)), (folder.path() / gbkName).native());
    EXPECT_EQ(toUtf8(form.list(u"源文件").itemText(1)), (folder.path() / "%41.txt").native());
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
