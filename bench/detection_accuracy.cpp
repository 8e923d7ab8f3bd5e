// Prints the Chinese code page detected for each file named, one
// "NAME<TAB>GBK|GB18030|BIG5" line each; scripts/detection-accuracy.py feeds it
// texts of known encodings and counts what it gets right.

#include "engine/chinese_detection.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv) {
    constexpr const char* kNames[] = {"GBK", "GB18030", "BIG5"};
    for (int i = 1; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        if (!file) return 1;
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
        const auto page = tolvane::detectChineseCodePage(bytes);
        std::printf("%s\t%s\n", argv[i], kNames[static_cast<int>(page)]);
    }
    return 0;
}
