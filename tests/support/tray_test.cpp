#include "platform/codepage.h"
#include "support/tray.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace tolvane {
namespace {

constexpr WindowHandle kOwner = 0x4242;

std::intptr_t previousProcedure(WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) {
    return 0;
}

// Records the three calls in order; window procedures are swapped like the system does.
struct RecordingCalls : TrayCalls {
    void shellNotifyIcon(std::uint32_t operation, const NotifyIconData& data) override {
        log.emplace_back("notify" + std::to_string(operation));
        notifications.emplace_back(operation, data);
    }
    WindowProc replaceWindowProc(WindowHandle window, WindowProc procedure) override {
        log.emplace_back(procedure == 回调模块::TrayWindowProc ? "hook" : "unhook");
        EXPECT_EQ(window, kOwner);
        return std::exchange(installed, procedure);
    }
    std::intptr_t callWindowProc(WindowProc previous, WindowHandle, std::uint32_t message,
                                 std::uintptr_t, std::intptr_t) override {
        EXPECT_EQ(previous, &previousProcedure);
        passedOn.push_back(message);
        return 77;
    }
    // What the system would do: run the installed procedure.
    std::intptr_t send(std::uint32_t message, std::intptr_t lParam) {
        return installed(kOwner, message, 0, lParam);
    }
    std::u16string tip() const {
        const auto& bytes = notifications.back().second.szTip;
        return decodeAnsi({bytes.data(), std::size_t(std::ranges::find(bytes, 0) - bytes.begin())});
    }

    std::vector<std::string> log;
    std::vector<std::pair<std::uint32_t, NotifyIconData>> notifications;
    std::vector<std::uint32_t> passedOn;
    WindowProc installed = previousProcedure;
};

struct TestPicture : Picture {
    TestPicture(int type, std::uintptr_t handle) : type_(type), handle_(handle) {}
    int type() const override { return type_; }
    std::uintptr_t handle() const override { return handle_; }
    int type_;
    std::uintptr_t handle_;
};

struct RecordingListener : 系统栏事件 {
    void MouseUp(std::int32_t button, std::int32_t) override {
        events.push_back("up " + std::to_string(button));
        if (throwOnUp) throw std::runtime_error("handler failed");
    }
    std::vector<std::string> events;
    bool throwOnUp = false;
};

class 系统栏测试 : public testing::Test {
  protected:
    void SetUp() override {
        tray_->setListener(&listener_);
        tray_->初始化(kOwner, icon_, u"Tolvane");
    }
    void TearDown() override {
        tray_.reset();
        回调模块::释放TrayOwner();
    }

    RecordingCalls calls_;
    RecordingListener listener_;
    std::shared_ptr<Picture> icon_ = std::make_shared<TestPicture>(Picture::kIcon, 0x10);
    std::shared_ptr<系统栏> tray_ = std::make_shared<系统栏>(calls_);
};

// Shown: the procedure is swapped in before the icon is added and back after
// it is deleted; the tip and the icon change at once, only to an icon, and a
// long tip is cut without leaving half a character.
TEST_F(系统栏测试, 显示与隐藏以及提示和图标的更新) {
    EXPECT_TRUE(calls_.log.empty());
    tray_->TrayTip(u"隐藏时");
    tray_->InTray(true);
    tray_->InTray(true);
    const NotifyIconData& added = calls_.notifications.at(0).second;
    EXPECT_TRUE(added.hWnd == kOwner && added.uCallbackMessage == kTrayMessage &&
                added.hIcon == 0x10U);
    const std::pair<std::u16string, std::u16string> tips[] = {
        {u"隐藏时", u"隐藏时"},
        {std::u16string(70, u'a'), std::u16string(63, u'a')},
        {std::u16string(40, u'中'), std::u16string(31, u'中')}};
    for (const auto& [tip, shown] : tips) {
        if (tip != u"隐藏时") tray_->TrayTip(tip);
        EXPECT_EQ(calls_.tip(), shown);
    }
    tray_->TrayIcon(std::make_shared<TestPicture>(Picture::kBitmap, 0x20));
    EXPECT_EQ(tray_->TrayIcon(), icon_);
    tray_->InTray(false);
    tray_->InTray(false);
    const auto& log = calls_.log;
    EXPECT_EQ((std::vector<std::string>{log[0], log[1], log[log.size() - 2], log.back()}),
              (std::vector<std::string>{"hook", "notify0", "notify2", "unhook"}));
    EXPECT_EQ(std::ranges::count(log, "notify0"), 1);
    EXPECT_EQ(calls_.installed, &previousProcedure);
}

// A button's release gives MouseUp and no other notification an event, every
// message passes on, a handler's error stops in the procedure, and the owner
// keeps the tray alive until it is released, which leaves the notification area.
TEST_F(系统栏测试, 通知变成事件而其他消息原样传下去且TrayOwner让实例活到释放) {
    tray_->InTray(true);
    for (std::intptr_t notification = 0x200; notification <= 0x207; ++notification)
        EXPECT_EQ(calls_.send(kTrayMessage, notification), 77);
    EXPECT_EQ(listener_.events, (std::vector<std::string>{"up 1", "up 2"}));
    EXPECT_EQ(calls_.send(0x0F, 0), 77);
    EXPECT_EQ(calls_.passedOn.back(), 0x0FU);
    listener_.throwOnUp = true;
    const std::size_t passed = calls_.passedOn.size();
    EXPECT_EQ(calls_.send(kTrayMessage, 0x202), 0);
    EXPECT_EQ(calls_.passedOn.size(), passed);
    const std::weak_ptr<系统栏> alive = tray_;
    tray_.reset();
    ASSERT_FALSE(alive.expired());
    calls_.send(kTrayMessage, 0x205);
    EXPECT_EQ(listener_.events.size(), 4U);
    回调模块::释放TrayOwner();
    EXPECT_TRUE(alive.expired());
    EXPECT_EQ(calls_.log.back(), "unhook");
    EXPECT_EQ(calls_.installed, &previousProcedure);
}

} // namespace
} // namespace tolvane
