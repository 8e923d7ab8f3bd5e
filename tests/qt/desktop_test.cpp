// The desktop services: clipboard, message boxes from a worker, posted calls,
// the icons, the tray's messages and the open-file dialog's answer.

#include "frontend/qt/desktop.h"
#include "frontend/qt/icons.h"
#include "frontend/qt/picture.h"
#include "frontend/qt/text.h"

#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <future>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace tolvane::qt {
namespace {

TEST(剪贴板, 纯文本往返与清空) {
    QWidget owner;
    QtDesktop desktop(owner);
    Clipboard& clipboard = desktop.clipboard();
    clipboard.setText(u"简体中文 ABC");
    EXPECT_TRUE(clipboard.hasText());
    EXPECT_EQ(clipboard.text(), u"简体中文 ABC");
    clipboard.clear();
    EXPECT_FALSE(clipboard.hasText());
}

// Answers the next modal message box with the given button, noting what it showed.
struct AutoAnswer {
    QMessageBox::StandardButton button;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer timer;

    explicit AutoAnswer(QMessageBox::StandardButton answer) : button(answer) {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            box->button(button)->click();
        });
        timer.start();
    }
};

MessageAnswer askFromWorker(Desktop& desktop, MessageButtons buttons) {
    auto answer = std::async(std::launch::async, [&] {
        return desktop.messageBox(u"Tolvane", u"文件不存在！", MessageIcon::Stop, buttons);
    });
    while (answer.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return answer.get();
}

TEST(消息框, 工作线程的消息框在窗口线程回答) {
    QWidget owner;
    QtDesktop desktop(owner);
    {
        AutoAnswer cancel(QMessageBox::Cancel);
        EXPECT_EQ(askFromWorker(desktop, MessageButtons::OkCancel), MessageAnswer::Cancel);
        EXPECT_EQ(cancel.title, QString("Tolvane"));
        EXPECT_EQ(cancel.text, QString("文件不存在！"));
        EXPECT_EQ(cancel.icon, QMessageBox::Critical);
    }
    AutoAnswer ok(QMessageBox::Ok);
    EXPECT_EQ(askFromWorker(desktop, MessageButtons::Ok), MessageAnswer::Ok);
}

// Calls posted from other threads run in order on the window's thread, and
// not at all once the desktop is gone.
TEST(窗口线程, 别的线程投递的调用按序在窗口线程运行) {
    std::vector<int> order;
    {
        QWidget owner;
        QtDesktop desktop(owner);
        std::thread worker([&] {
            for (int i = 0; i < 3; ++i)
                desktop.postToWindowThread([&order, i] {
                    EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
                    order.push_back(i);
                });
        });
        worker.join();
        EXPECT_TRUE(order.empty());
        desktop.processEvents();
        desktop.postToWindowThread([&order] { order.push_back(3); });
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
}

int redPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.alpha() > 128 && c.red() > 150 && c.green() < 80;
        }
    return count;
}

// Busy shows red, idle does not, so the two can be told apart at a glance.
TEST(图标, 忙碌图标是红色而空闲图标不是) {
    QWidget owner;
    QtDesktop desktop(owner);
    ASSERT_EQ(desktop.busyIcon()->type(), Picture::kIcon);
    const QIcon busy = iconOfHandle(desktop.busyIcon()->handle());
    const QIcon idle = iconOfHandle(desktop.idleIcon()->handle());
    EXPECT_GT(redPixels(busy.pixmap(16).toImage()), 20);
    EXPECT_EQ(redPixels(idle.pixmap(32).toImage()), 0);
}

TEST(图标, 图片释放后句柄不再对应图标) {
    std::uintptr_t handle = 0;
    {
        const auto picture = makeIconPicture(idleArrowsIcon());
        handle = picture->handle();
        EXPECT_FALSE(iconOfHandle(handle).isNull());
    }
    EXPECT_TRUE(iconOfHandle(handle).isNull());
    EXPECT_TRUE(iconOfHandle(0).isNull());
}

std::vector<std::intptr_t> trayMessages;

std::intptr_t recordTrayMessage(WindowHandle /*window*/, std::uint32_t message,
                                std::uintptr_t wParam, std::intptr_t lParam) {
    EXPECT_EQ(message, kTrayMessage);
    EXPECT_EQ(wParam, 7U);
    trayMessages.push_back(lParam);
    return 1;
}

TEST(托盘, 点击变成托盘消息交给换上的窗口过程) {
    SystemTrayCalls tray;
    const WindowProc original = tray.replaceWindowProc(42, &recordTrayMessage);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(original(42, kTrayMessage, 0, 0), 0);
    NotifyIconData data;
    data.hWnd = 42;
    data.uID = 7;
    tray.shellNotifyIcon(kNimAdd, data);
    trayMessages.clear();
    tray.deliver(QSystemTrayIcon::Trigger);
    tray.deliver(QSystemTrayIcon::Context);
    tray.deliver(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(trayMessages, (std::vector<std::intptr_t>{0x201, 0x202, 0x204, 0x205, 0x203}));
    EXPECT_EQ(tray.replaceWindowProc(42, original), &recordTrayMessage);
    EXPECT_EQ(tray.callWindowProc(&recordTrayMessage, 42, kTrayMessage, 7, 9), 1);
}

TEST(托盘, 提示按936代码页解码到NUL为止) {
    SystemTrayCalls tray;
    NotifyIconData data;
    data.uFlags = kNifTip;
    const std::uint8_t tip[] = {'T', 'o', 0xD7, 0xAA, 0xBB, 0xBB, 0, 'x'}; // "To转换"
    std::copy(std::begin(tip), std::end(tip), data.szTip.begin());
    tray.shellNotifyIcon(kNimAdd, data);
    EXPECT_EQ(tray.icon().toolTip(), QString("To转换"));
    tray.shellNotifyIcon(kNimDelete, data);
    EXPECT_FALSE(tray.icon().isVisible());
}

TEST(打开对话框, 答案块和过滤器) {
    using namespace std::string_literals;
    EXPECT_EQ(answerBlock({"/home/u/a.txt"}), u"/home/u/a.txt\0\0"s);
    EXPECT_EQ(answerBlock({"/home/u/a.txt", "/home/u/b.txt"}), u"/home/u\0a.txt\0b.txt\0\0"s);
    // "*.*" matches every file here, not only names with a dot.
    const QStringList filters = nameFilters(u"所有文件 (*.*)\0*.*\0\0"s);
    EXPECT_EQ(filters, QStringList{"所有文件 (*.*) (*)"});
    EXPECT_EQ(nameFilters(u"文本\0*.txt;*.ini\0全部\0*.*\0\0"s),
              (QStringList{"文本 (*.txt *.ini)", "全部 (*)"}));
}

} // namespace
} // namespace tolvane::qt
