#include "common/scratch_folder.h"
#include "frontend/win32/desktop.h"
#include "frontend/win32/drop.h"
#include "frontend/win32/form.h"
#include "frontend/win32/open_dialog.h"
#include "frontend/win32/text.h"
#include "frontend/win32/tray.h"
#include "platform/codepage.h"
#include "window/layout.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <shlobj.h>
#include <thread>

using namespace std::string_literals;

namespace tolvane::win32 {
namespace {

// A top-level dialog of this process with the given title, once it appears.
HWND waitForDialog(const wchar_t* title) {
    for (int i = 0; i < 2000; ++i) {
        const HWND found = ::FindWindowW(L"#32770", title);
        if (found && ::IsWindowVisible(found)) return found;
        ::Sleep(10);
    }
    return nullptr;
}

struct Recorded {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};
Recorded recorded;

std::intptr_t recordTrayMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam);
WindowProc previousProcedure = nullptr;
ShellTrayCalls* hookingCalls = nullptr;

std::intptr_t recordTrayMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
    if (message == kTrayMessage) recorded = {message, wParam, lParam};
    return hookingCalls->callWindowProc(previousProcedure, window, message, wParam, lParam);
}

TEST(托盘调用, 替换的窗口过程收到托盘消息并把其余消息交给原来的过程) {
    Form form(主窗体设计());
    const HWND start = form.control(u"开始转换");
    const LONG_PTR original = ::GetWindowLongPtrW(start, GWLP_WNDPROC);
    ShellTrayCalls calls;
    hookingCalls = &calls;
    previousProcedure = calls.replaceWindowProc(handleOf(start), &recordTrayMessage);
    ::SendMessageW(start, kTrayMessage, 0, WM_RBUTTONUP);
    EXPECT_EQ(recorded.message, kTrayMessage);
    EXPECT_EQ(recorded.lParam, WM_RBUTTONUP);
    // Anything else reaches the button's own procedure, with its result.
    wchar_t caption[8] = {};
    ::SendMessageW(start, WM_GETTEXT, 8, reinterpret_cast<LPARAM>(caption));
    EXPECT_EQ(fromWide(caption), form.button(u"开始转换").caption());
    calls.replaceWindowProc(handleOf(start), previousProcedure);
    EXPECT_EQ(::GetWindowLongPtrW(start, GWLP_WNDPROC), original);
}

TEST(托盘调用, 提示文字从代码页936换成宽字符) {
    NotifyIconData data;
    data.uFlags = kNifTip | kNifIcon | kNifMessage;
    data.uCallbackMessage = kTrayMessage;
    const std::vector<std::uint8_t> tip = encodeAnsi(u"转换中 a.txt");
    std::copy(tip.begin(), tip.end(), data.szTip.begin());
    EXPECT_EQ(fromWide(nativeRecord(data).szTip), u"转换中 a.txt");
}

TEST(拖放, 文件列表按来源顺序取出完整路径) {
    const std::u16string names[] = {u"C:\\数据\\a.txt", u"C:\\b.txt"};
    std::u16string block;
    for (const std::u16string& name : names)
        block += name + u'\0';
    block += u'\0';
    const std::size_t bytes = sizeof(DROPFILES) + block.size() * sizeof(char16_t);
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(header + 1, block.data(), block.size() * sizeof(char16_t));
    ::GlobalUnlock(memory);
    EXPECT_EQ(filesOfDrop(static_cast<HDROP>(memory)),
              (std::vector<std::u16string>{names[0], names[1]}));
    ::GlobalFree(memory);
    EXPECT_FALSE(OleDropData(nullptr).hasFileList());
}

TEST(消息框, 按下的按钮就是回答) {
    Form form(主窗体设计());
    Win32Desktop desktop(form);
    std::thread user([] {
        if (const HWND box = waitForDialog(L"Tolvane")) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    const MessageAnswer answer =
        desktop.messageBox(u"Tolvane", u"出错了", MessageIcon::Stop, MessageButtons::OkCancel);
    user.join();
    EXPECT_EQ(answer, MessageAnswer::Ok);
}

TEST(打开文件对话框, 多选的回答块是文件夹和文件名以NUL分隔) {
    const testing::ScratchFolder scratch;
    const std::filesystem::path& folder = scratch.path();
    testing::writeBytes(folder / "a.txt", "a");
    testing::writeBytes(folder / "b.txt", "b");
    OpenFileName request;
    request.filter = std::u16string(u"所有文件 (*.*)\0*.*\0\0", 14);
    request.nFilterIndex = 1;
    request.nMaxFile = 4096;
    request.file = std::u16string(4096, u'\0');
    request.initialDir = folder.u16string();
    request.flags = kOfnExplorer | kOfnAllowMultiSelect | kOfnFileMustExist | kOfnHideReadOnly;
    std::thread user([] {
        const HWND dialog = waitForDialog(nullptr);
        if (!dialog) return;
        // The file-name box of the Explorer-style dialog.
        ::SetDlgItemTextW(dialog, 0x47C, L"\"a.txt\" \"b.txt\"");
        ::SetDlgItemTextW(dialog, 0x480, L"\"a.txt\" \"b.txt\"");
        ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    // The dialog makes the chosen folder the current one.
    const std::filesystem::path before = std::filesystem::current_path();
    FileDialog dialog;
    const bool confirmed = dialog.getOpenFileName(request);
    user.join();
    std::filesystem::current_path(before);
    ASSERT_TRUE(confirmed);
    const std::u16string block = request.file.substr(0, request.file.find(u"\0\0"s));
    const std::u16string expected = folder.u16string() + u'\0' + u"a.txt" + u'\0' + u"b.txt";
    EXPECT_EQ(block, expected);
}

} // namespace
} // namespace tolvane::win32
