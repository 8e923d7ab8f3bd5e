#include "platform/error.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

// The numbers the job and the command-line tool tell failures apart by.
struct ErrnoCase {
    const char* name;
    int errnum;
    std::int32_t number;
};

constexpr ErrnoCase kCases[] = {{"ENOENT", ENOENT, kFileNotFound},
                                {"EEXIST", EEXIST, kFileExists},
                                {"EISDIR", EISDIR, kPermissionDenied},
                                {"ENOSPC", ENOSPC, kDiskFull},
                                {"unknown", 0, kSystemError}};

TEST(系统错误, 错误号对应程序的错误编号并带上路径) {
    for (const ErrnoCase& c : kCases) {
        const Error error = systemError(c.errnum, u"/a.txt");
        EXPECT_EQ(error.number(), c.number) << c.name;
        EXPECT_TRUE(error.description().starts_with(u"“/a.txt”：")) << c.name;
        EXPECT_GT(error.description().size(), 10U) << c.name;
    }
    EXPECT_FALSE(systemError(ENOENT).description().starts_with(u"“"));
}

} // namespace
} // namespace tolvane
