// One table shared by two threads, each converting text and files at once.

#include "c_api_support.h"

#include <gtest/gtest.h>
#include <thread>

namespace tolvane::testing {
namespace {

TEST(C接口线程, 两个线程共用一个对照表) {
    const ScratchTable scratch;
    const OwnedTable table = scratch.open();
    // Over a MiB, so that a buffer is written a piece at a time by its own thread too.
    std::string text, expected;
    for (int k = 0; k < 100000; ++k) {
        text += gbk(u"复制简体 ");
        expected += gbk(u"複製簡體 ");
    }
    const auto work = [&](const char* name) {
        std::string output(TOLVANE_OUTPUT_BOUND(text.size()), '\0');
        std::size_t size = 0;
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(tolvane_convert_buffer(table.get(), "gbk", nullptr, text.data(), text.size(),
                                             output.data(), output.size(), &size, nullptr, nullptr),
                      TOLVANE_OK);
            EXPECT_EQ(output.substr(0, size), expected);
        }
        const std::filesystem::path file = scratch.folder / name;
        writeBytes(file, text);
        EXPECT_EQ(
            tolvane_convert_file(table.get(), utf8Path(file).c_str(), nullptr, nullptr, nullptr),
            TOLVANE_OK);
        EXPECT_EQ(readBytes(file), expected);
    };
    std::thread first(work, "甲.txt");
    std::thread second(work, "乙.txt");
    first.join();
    second.join();
}

} // namespace
} // namespace tolvane::testing
