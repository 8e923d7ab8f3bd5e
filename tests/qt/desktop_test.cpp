// The desktop adapters: message boxes, posted calls, the tray's messages and
// icons, and the open-file dialog's answer.

#include "frontend/qt/desktop.h"
#include "frontend/qt/icons.h"
#include "frontend/qt/picture.h"

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>
#include <thread>

namespace tolvane::qt {
namespace {

using namespace std::string_literals;

TEST(桌面, 消息框显示标题文字和图标并报告所按的按钮) {
    QWidget owner;
    QtDesktop desktop(owner);
    for (const auto& [button, expected] : {std::pair{QMessageBox::Cancel, MessageAnswer::Cancel},
                                           std::pair{QMessageBox::Ok, MessageAnswer::Ok}}) {
        QString shown;
        QTimer answerer;
        QObject::connect(&answerer, &QTimer::timeout, [&, button = button] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->windowTitle() + ":" + box->text();
                EXPECT_EQ(box->icon(), QMessageBox::Critical);
                box->button(button)->click();
            }
        });
        answerer.start(10);
        EXPECT_EQ(desktop.messageBox(u"Tolvane", u"文件不存在！", MessageIcon::Stop,
                                     MessageButtons::OkCancel),
                  expected);
        EXPECT_EQ(shown, QString("Tolvane:文件不存在！"));
    }
}

// In order on the window's thread, and not at all once the desktop is gone.
TEST(桌面, 别的线程投递的调用按序在窗口线程运行) {
    std::vector<int> order;
    {
        QWidget owner;
        QtDesktop desktop(owner);
        std::thread([&] {
            for (int i = 0; i < 3; ++i)
                desktop.postToWindowThread([&order, i] {
                    EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
                    order.push_back(i);
                });
        }).join();
        desktop.processEvents();
        desktop.postToWindowThread([&order] { order.push_back(3); });
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
}

std::vector<std::intptr_t> trayMessages;

std::intptr_t recordTrayMessage(WindowHandle, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
    EXPECT_EQ(message, kTrayMessage);
    EXPECT_EQ(wParam, 7U);
    trayMessages.push_back(lParam);
    return 1;
}

QImage imageOf(const QIcon& icon) {
    return icon.pixmap(16).toImage();
}

TEST(桌面, 托盘的点击变成鼠标消息而图标跟着句柄换而提示按936解码) {
    SystemTrayCalls tray;
    const WindowProc original = tray.replaceWindowProc(42, &recordTrayMessage);
    const auto idle = makeIconPicture(idleArrowsIcon());
    const auto busy = makeIconPicture(busyArrowsIcon());
    NotifyIconData data;
    data.hWnd = 42;
    data.uID = 7;
    data.uFlags = kNifTip | kNifIcon;
    data.hIcon = idle->handle();
    const std::uint8_t tip[] = {'T', 'o', 0xD7, 0xAA, 0xBB, 0xBB, 0, 'x'}; // "To转换"
    std::copy(std::begin(tip), std::end(tip), data.szTip.begin());
    tray.shellNotifyIcon(kNimAdd, data);
    EXPECT_EQ(tray.icon().toolTip(), QString("To转换"));
    EXPECT_EQ(imageOf(tray.icon().icon()), imageOf(idleArrowsIcon()));
    data.hIcon = busy->handle();
    tray.shellNotifyIcon(kNimModify, data);
    EXPECT_EQ(imageOf(tray.icon().icon()), imageOf(busyArrowsIcon()));
    tray.deliver(QSystemTrayIcon::Trigger);
    tray.deliver(QSystemTrayIcon::Context);
    tray.deliver(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(trayMessages, (std::vector<std::intptr_t>{0x201, 0x202, 0x204, 0x205, 0x203}));
    EXPECT_EQ(tray.replaceWindowProc(42, original), &recordTrayMessage);
    tray.shellNotifyIcon(kNimDelete, data);
    EXPECT_FALSE(tray.icon().isVisible());
}

TEST(桌面, 打开对话框的答案块和过滤器) {
    EXPECT_EQ(answerBlock({"/home/u/a.txt"}), u"/home/u/a.txt\0\0"s);
    EXPECT_EQ(answerBlock({"/home/u/a.txt", "/home/u/b.txt"}), u"/home/u\0a.txt\0b.txt\0\0"s);
    // "*.*" matches every file here, not only names with a dot.
    EXPECT_EQ(nameFilters(u"文本\0*.txt;*.ini\0全部\0*.*\0\0"s),
              (QStringList{"文本 (*.txt *.ini)", "全部 (*)"}));
}

} // namespace
} // namespace tolvane::qt
