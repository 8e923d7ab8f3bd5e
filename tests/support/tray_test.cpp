#include "platform/codepage.h"
#include "support/tray.h"

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
class RecordingCalls : public TrayCalls {
  public:
    struct Notify {
        std::uint32_t operation;
        NotifyIconData data;
    };
    void shellNotifyIcon(std::uint32_t operation, const NotifyIconData& data) override {
        log.emplace_back("notify" + std::to_string(operation));
        notifications.push_back({operation, data});
    }
    WindowProc replaceWindowProc(WindowHandle window, WindowProc procedure) override {
        log.push_back(procedure == 回调模块::TrayWindowProc ? "hook" : "unhook");
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
    std::intptr_t send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
        return installed(kOwner, message, wParam, lParam);
    }

    std::vector<std::string> log;
    std::vector<Notify> notifications;
    std::vector<std::uint32_t> passedOn;
    WindowProc installed = previousProcedure;
};

class TestPicture : public Picture {
  public:
    TestPicture(int type, std::uintptr_t handle) : type_(type), handle_(handle) {}
    int type() const override { return type_; }
    std::uintptr_t handle() const override { return handle_; }

  private:
    int type_;
    std::uintptr_t handle_;
};

class RecordingListener : public 系统栏事件 {
  public:
    void MouseMove(std::int32_t Id) override { events.push_back("move " + std::to_string(Id)); }
    void MouseDown(std::int32_t Button, std::int32_t Id) override { record("down", Button, Id); }
    void MouseUp(std::int32_t Button, std::int32_t Id) override {
        record("up", Button, Id);
        if (throwOnUp) throw std::runtime_error("handler failed");
    }
    void MouseDblClick(std::int32_t Button, std::int32_t Id) override {
        record("dblclick", Button, Id);
    }
    std::vector<std::string> events;
    bool throwOnUp = false;

  private:
    void record(const char* what, std::int32_t button, std::int32_t id) {
        events.push_back(std::string(what) + " " + std::to_string(button) + " " +
                         std::to_string(id));
    }
};

std::string tipText(const NotifyIconData& data) {
    const auto* bytes = data.szTip.data();
    return {reinterpret_cast<const char*>(bytes)};
}

class 系统栏测试 : public testing::Test {
  protected:
    void SetUp() override {
        tray_ = std::make_shared<系统栏>(calls_);
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
    std::shared_ptr<系统栏> tray_;
};

TEST_F(系统栏测试, 初始化只存值不调用系统) {
    EXPECT_TRUE(calls_.log.empty());
    EXPECT_FALSE(tray_->InTray());
    EXPECT_EQ(tray_->TrayTip(), u"Tolvane");
    EXPECT_EQ(tray_->TrayIcon(), icon_);
    EXPECT_EQ(回调模块::TrayOwner, tray_);
}

TEST_F(系统栏测试, 先换过程再加图标先删图标再还过程) {
    tray_->InTray(true);
    tray_->InTray(true);
    tray_->InTray(false);
    tray_->InTray(false);
    EXPECT_EQ(calls_.log, (std::vector<std::string>{"hook", "notify0", "notify2", "unhook"}));
    EXPECT_EQ(calls_.installed, &previousProcedure);
}

TEST_F(系统栏测试, 加入的记录) {
    tray_->InTray(true);
    const NotifyIconData& added = calls_.notifications.at(0).data;
    EXPECT_EQ(added.cbSize, 88U);
    EXPECT_EQ(added.hWnd, kOwner);
    EXPECT_EQ(added.uID, 0U);
    EXPECT_EQ(added.uFlags, kNifMessage | kNifIcon | kNifTip);
    EXPECT_EQ(added.uCallbackMessage, kTrayMessage);
    EXPECT_EQ(added.hIcon, 0x10U);
    EXPECT_EQ(tipText(added), "Tolvane");
    EXPECT_EQ(added.szTip[8], ' ');
    tray_->InTray(false);
    const NotifyIconData& removed = calls_.notifications.at(1).data;
    EXPECT_EQ(removed.uFlags, 0U);
    EXPECT_EQ(removed.hWnd, kOwner);
}

TEST_F(系统栏测试, 显示时改提示立即生效隐藏时留给下次加入) {
    tray_->TrayTip(u"隐藏时");
    EXPECT_TRUE(calls_.notifications.empty());
    tray_->InTray(true);
    EXPECT_EQ(decodeAnsi(std::span(calls_.notifications.back().data.szTip).first(6)), u"隐藏时");
    tray_->TrayTip(u"busy");
    const auto& modify = calls_.notifications.back();
    EXPECT_EQ(modify.operation, kNimModify);
    EXPECT_EQ(modify.data.uFlags, kNifTip);
    EXPECT_EQ(tipText(modify.data), "busy");
}

TEST_F(系统栏测试, 长提示截断且留一个空字符) {
    tray_->InTray(true);
    tray_->TrayTip(std::u16string(70, u'a'));
    EXPECT_EQ(tipText(calls_.notifications.back().data), std::string(63, 'a'));
    tray_->TrayTip(std::u16string(40, u'中'));
    // 31 whole characters fit before the NUL; half of one is never shown.
    const auto& tip = calls_.notifications.back().data.szTip;
    EXPECT_EQ(decodeAnsi(std::span(tip).first(62)), std::u16string(31, u'中'));
    EXPECT_EQ(tip[62], 0);
    EXPECT_EQ(tip[63], 0);
}

TEST(系统栏, 空提示和无图标时的加入) {
    RecordingCalls calls;
    auto tray = std::make_shared<系统栏>(calls);
    tray->初始化(kOwner, nullptr, u"");
    tray->InTray(true);
    const NotifyIconData& added = calls.notifications.at(0).data;
    EXPECT_EQ(added.uFlags, kNifMessage | kNifIcon);
    EXPECT_EQ(added.hIcon, 0U);
    EXPECT_EQ(tray->TrayIcon()->type(), Picture::kNone);
    tray.reset();
    回调模块::释放TrayOwner();
    EXPECT_EQ(calls.log.back(), "unhook");
}

TEST_F(系统栏测试, 非图标的图片被忽略) {
    tray_->InTray(true);
    tray_->TrayIcon(std::make_shared<TestPicture>(Picture::kBitmap, 0x20));
    tray_->TrayIcon(nullptr);
    tray_->TrayIcon(emptyPicture());
    EXPECT_EQ(calls_.notifications.size(), 1U);
    EXPECT_EQ(tray_->TrayIcon(), icon_);
    const auto busy = std::make_shared<TestPicture>(Picture::kIcon, 0x30);
    tray_->TrayIcon(busy);
    EXPECT_EQ(calls_.notifications.back().operation, kNimModify);
    EXPECT_EQ(calls_.notifications.back().data.uFlags, kNifIcon);
    EXPECT_EQ(calls_.notifications.back().data.hIcon, 0x30U);
    EXPECT_EQ(tray_->TrayIcon(), busy);
}

TEST(系统栏, 初始化前设置被忽略读取可用) {
    RecordingCalls calls;
    系统栏 tray(calls);
    tray.TrayTip(u"x");
    tray.InTray(true);
    tray.OnTrayMessage(0x202, 0);
    EXPECT_EQ(tray.TrayTip(), u"");
    EXPECT_FALSE(tray.InTray());
    EXPECT_EQ(tray.TrayIcon()->handle(), 0U);
    EXPECT_TRUE(calls.log.empty());
}

TEST_F(系统栏测试, 每个通知至多一个事件) {
    tray_->InTray(true);
    for (std::intptr_t notification = 0x200; notification <= 0x207; ++notification)
        calls_.send(kTrayMessage, 0, notification);
    EXPECT_EQ(listener_.events,
              (std::vector<std::string>{"move 0", "down 1 0", "up 1 0", "dblclick 1 0", "down 2 0",
                                        "up 2 0", "dblclick 2 0"}));
}

TEST_F(系统栏测试, 其他消息原样传下去并返回其结果) {
    tray_->InTray(true);
    EXPECT_EQ(calls_.send(0x0F, 1, 2), 77);
    EXPECT_EQ(calls_.send(kTrayMessage, 0, 0x205), 77);
    EXPECT_EQ(calls_.passedOn, (std::vector<std::uint32_t>{0x0F, kTrayMessage}));
    EXPECT_EQ(listener_.events, (std::vector<std::string>{"up 2 0"}));
}

TEST_F(系统栏测试, 事件中的错误被吞掉返回零) {
    tray_->InTray(true);
    listener_.throwOnUp = true;
    EXPECT_EQ(calls_.send(kTrayMessage, 0, 0x202), 0);
    EXPECT_TRUE(calls_.passedOn.empty());
}

TEST_F(系统栏测试, TrayOwner让实例活到释放并在结束时离开系统栏) {
    tray_->InTray(true);
    const std::weak_ptr<系统栏> alive = tray_;
    tray_.reset();
    ASSERT_FALSE(alive.expired());
    EXPECT_EQ(calls_.send(kTrayMessage, 0, 0x205), 77);
    EXPECT_EQ(listener_.events.size(), 1U);
    回调模块::释放TrayOwner();
    EXPECT_TRUE(alive.expired());
    EXPECT_EQ(calls_.log, (std::vector<std::string>{"hook", "notify0", "notify2", "unhook"}));
    EXPECT_EQ(calls_.installed, &previousProcedure);
}

} // namespace
} // namespace tolvane
