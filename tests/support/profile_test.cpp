#include "common/scratch_folder.h"
#include "platform/profile.h"

#include <array>
#include <gtest/gtest.h>

namespace tolvane::testing {
namespace {

class 配置文件 : public ::testing::Test {
  protected:
    std::string read(const std::string& section, const std::string& key,
                     const std::string& fallback = "<none>") {
        std::array<char, 64> buffer{};
        const auto placed = getPrivateProfileString(section, key, fallback, buffer.data(),
                                                    buffer.size(), file_.u16string());
        return {buffer.data(), placed};
    }
    bool write(const std::string& section, const std::string& key, const std::string& value) {
        return writePrivateProfileString(section, key, value, file_.u16string());
    }

    ScratchFolder folder_;
    std::filesystem::path file_ = folder_.path() / "test.ini";
};

TEST_F(配置文件, 读时去掉空白和一对引号并忽略大小写) {
    EXPECT_EQ(read("a", "b", "dflt"), "dflt"); // no file yet
    writeBytes(file_, "; note\n[Main]\n  Key = \" spaced \"  \nother='x'\nplain=\"half\n");
    EXPECT_EQ(read("main", "KEY"), " spaced ");
    EXPECT_EQ(read("MAIN", "other"), "x");
    EXPECT_EQ(read("Main", "plain"), "\"half");
    EXPECT_EQ(read("Other", "Key"), "<none>");
}

TEST_F(配置文件, 双字节字符的第二字节不按字母折叠) {
    // 0x81 0x41 and 0x81 0x61 are two different characters of code page 936.
    ASSERT_TRUE(write("s", "\x81\x41", "upper"));
    ASSERT_TRUE(write("s", "\x81\x61", "lower"));
    EXPECT_EQ(read("s", "\x81\x41"), "upper");
    EXPECT_EQ(read("s", "\x81\x61"), "lower");
}

TEST_F(配置文件, 新键加在小节末尾且保留其他行) {
    writeBytes(file_, "; keep me\n[a]\nx=1\n\n[b]\ny=2\n");
    ASSERT_TRUE(write("A", "z", "3"));
    ASSERT_TRUE(write("b", "Y", "4"));
    ASSERT_TRUE(write("c", "w", "5"));
    EXPECT_EQ(readBytes(file_),
              "; keep me\r\n[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\nY=4\r\n[c]\r\nw=5\r\n");
}

} // namespace
} // namespace tolvane::testing
