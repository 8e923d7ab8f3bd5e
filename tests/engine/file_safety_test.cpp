// A file's own path holds nothing or the complete converted file at every
// step, whatever fails; the converted file keeps the original's permissions.

#include "engine/file_steps.h"
#include "engine/textfile.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/utf8.h"
#include "tests/engine/engine_test_support.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tolvane::testing {
namespace {

namespace fs = std::filesystem;

class 安全写入 : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        writeBytes(source, original);
    }
    static bool never() { return false; }
    TablePtr table = tableOf({u"ab"});
    // Names in the folder other than the file and its backup folder.
    std::vector<std::u16string> strayNames() const {
        std::vector<std::u16string> names;
        for (const auto& entry : fs::directory_iterator(folder.path()))
            names.push_back(entry.path().filename().u16string());
        std::erase(names, u"a.txt");
        std::erase(names, u"~Vebzo01.bak");
        return names;
    }
    // Nothing at the path, or the whole converted text.
    void expectEmptyOrComplete(const char* when) const {
        EXPECT_EQ(exists(source) ? readBytes(source) : converted, converted) << when;
    }
    // Every step, with the file let go of at the end.
    void convertWhole() const {
        文件内容转换 steps(*table, source);
        steps.移入备份();
        steps.读出();
        steps.转换(never);
        steps.写入();
    }
    void clean() const {
        fs::remove_all(fs::path(folder / u"~Vebzo01.bak"));
        fs::remove(fs::path(source));
    }

    ScratchFolder folder;
    std::u16string source = folder / u"a.txt";
    std::u16string backup = folder / u"~Vebzo01.bak/a.txt";
    std::string original = std::string(100000, 'a') + "\r\n";
    std::string converted = std::string(100000, 'b') + "\r\n";
};

TEST_F(安全写入, 每一步之后路径上要么没有文件要么是完整的结果) {
    文件内容转换 steps(*table, source);
    steps.移入备份();
    expectEmptyOrComplete("moved into the backup");
    steps.读出();
    expectEmptyOrComplete("opened");
    ASSERT_EQ(strayNames().size(), 1U);
    EXPECT_TRUE(isTemporaryFileName(strayNames()[0]));
    steps.转换(never);
    expectEmptyOrComplete("converted into the temporary file");
    steps.写入();
    EXPECT_EQ(readBytes(source), converted);
    EXPECT_EQ(readBytes(backup), original);
    EXPECT_TRUE(strayNames().empty());
}

TEST_F(安全写入, 任何一步失败都不留下半截文件和临时文件) {
    [[maybe_unused]] const auto dropBackup = [&] { fs::remove(fs::path(backup)); };
    const auto takePath = [&] { writeBytes(source, "taken"); };
    const std::tuple<const char*, int, std::function<void()>> failures[] = {
#ifndef _WIN32 // there a file held for its conversion goes only when the hold ends
        {"backup gone before reading", 0, dropBackup},
        {"backup gone before writing", 2, dropBackup},
#endif
        {"path taken before writing", 2, takePath}};
    for (const auto& [name, failingStep, inject] : failures) {
        SCOPED_TRACE(name);
        writeBytes(source, original);
        {
            文件内容转换 steps(*table, source);
            steps.移入备份();
            const std::function<void()> stepList[] = {
                [&] { steps.读出(); }, [&] { steps.转换(never); }, [&] { steps.写入(); }};
            int failedAt = -1;
            for (int step = 0; step < 3 && failedAt < 0; ++step) {
                if (step == failingStep) inject();
                try {
                    stepList[step]();
                } catch (const Error&) {
                    failedAt = step;
                }
            }
            EXPECT_EQ(failedAt, failingStep);
            try {
                steps.复原();
            } catch (const Error&) { // NOLINT(bugprone-empty-catch): the path was taken
            }
        }
        EXPECT_TRUE(strayNames().empty());
        // Put back, or kept in the backup when someone took the path, or (its
        // backup gone) nothing.
        const std::string left = exists(source) ? readBytes(source) : "";
        EXPECT_TRUE(left == original || (left == "taken" && readBytes(backup) == original) ||
                    left.empty());
        clean();
    }
}

TEST_F(安全写入, 一起写入时被占用的路径报错而其余的就位) {
    std::vector<std::unique_ptr<文件内容转换>> files;
    std::vector<文件内容转换*> group;
    for (const char16_t* name : {u"1.txt", u"2.txt", u"3.txt"}) {
        writeBytes(folder / name, original);
        group.push_back(
            files.emplace_back(std::make_unique<文件内容转换>(*table, folder / name)).get());
        group.back()->移入备份(), group.back()->读出(), group.back()->转换(never);
    }
    writeBytes(folder / u"2.txt", "taken");
    const std::vector<std::exception_ptr> failures = 文件内容转换::一起写入(group);
    EXPECT_TRUE(!failures[0] && failures[1] && !failures[2]);
    EXPECT_EQ(readBytes(folder / u"1.txt"), converted);
    EXPECT_EQ(readBytes(folder / u"2.txt"), "taken");
    EXPECT_EQ(readBytes(folder / u"3.txt"), converted);
    files[1].reset();
    for (const auto& entry : fs::directory_iterator(folder.path()))
        EXPECT_FALSE(isTemporaryFileName(entry.path().filename().u16string()));
}

#ifdef _WIN32
// What a Windows file carries itself is its marks; its permissions are its folder's.
TEST_F(安全写入, 转换后的文件保留只读和隐藏标记) {
    const auto* name = reinterpret_cast<const wchar_t*>(source.c_str());
    for (const DWORD marks : {DWORD{FILE_ATTRIBUTE_READONLY}, DWORD{FILE_ATTRIBUTE_HIDDEN}}) {
        writeBytes(source, original);
        ::SetFileAttributesW(name, marks);
        convertWhole();
        EXPECT_EQ(::GetFileAttributesW(name) & marks, marks) << marks;
        EXPECT_EQ(readBytes(source), converted);
        ::SetFileAttributesW(name, FILE_ATTRIBUTE_NORMAL);
        ::SetFileAttributesW(reinterpret_cast<const wchar_t*>(backup.c_str()),
                             FILE_ATTRIBUTE_NORMAL);
        clean();
    }
}
#else
TEST_F(安全写入, 转换后的文件保留原来的权限和属主) {
    // Only the superuser may give a file away; others test the bits alone.
    const bool giveAway = ::geteuid() == 0;
    for (const mode_t mode : {0600, 0640, 0755, 0444}) {
        writeBytes(source, original);
        ::chmod(toUtf8(source).c_str(), mode);
        ASSERT_TRUE(!giveAway || ::chown(toUtf8(source).c_str(), 1234, 5678) == 0);
        convertWhole();
        struct stat info {};
        ASSERT_EQ(::stat(toUtf8(source).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode) << std::oct << mode;
        EXPECT_TRUE(!giveAway || (info.st_uid == 1234U && info.st_gid == 5678U));
        clean();
    }
}
#endif

} // namespace
} // namespace tolvane::testing
