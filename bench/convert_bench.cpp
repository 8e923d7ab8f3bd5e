// Converts a ~100 MB code page 936 text through a table of a few thousand
// characters, stage by stage and end to end, and times the system's iconv on
// the same file for comparison. Run an optimised build.

#include "engine/convert.h"
#include "engine/state.h"
#include "engine/table.h"
#include "engine/textfile.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/utf8.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <sys/resource.h>

namespace {

using namespace tolvane;

constexpr std::size_t kTextBytes = std::size_t{100} * 1000 * 1000;

class NoWindow : public TableLoadWindow {
  public:
    void setCaption(const std::u16string&) override {}
    void clearSelection() override {}
};

// GB2312 level 1, the commonest characters: leads 0xB0..0xD7, trails 0xA1..0xFE.
std::pair<std::uint8_t, std::uint8_t> commonCharacter(std::uint32_t index) {
    return {static_cast<std::uint8_t>(0xB0 + index / 94 % 40),
            static_cast<std::uint8_t>(0xA1 + index % 94)};
}

std::vector<std::uint8_t> sampleText() {
    std::mt19937 random(936);
    std::vector<std::uint8_t> text;
    text.reserve(kTextBytes + 256);
    const std::string ascii = " Tolvane 0.95, ";
    while (text.size() < kTextBytes) {
        for (int column = 0; column < 36; ++column) {
            const auto [lead, trail] = commonCharacter(random() % 3755);
            text.push_back(lead);
            text.push_back(trail);
        }
        text.insert(text.end(), ascii.begin(), ascii.end());
        text.push_back('\r');
        text.push_back('\n');
    }
    return text;
}

// Maps 3000 common characters to characters of the extended range, as a
// simplified-to-traditional table would.
std::u16string tableText() {
    std::u16string lines;
    for (std::uint32_t index = 0; index < 3000; ++index) {
        const auto [lead, trail] = commonCharacter(index);
        const std::uint8_t target[] = {static_cast<std::uint8_t>(0x81 + index / 190),
                                       static_cast<std::uint8_t>(0x40 + index % 190)};
        const std::uint8_t source[] = {lead, trail};
        lines += decodeAnsi(source) + u" " + decodeAnsi(target) + u"\r\n";
    }
    return lines;
}

// Wall time and CPU time (of this process and of the programs it ran). The
// machine may be shared: the CPU figure shows the work itself.
struct Timing {
    double wall = 0;
    double cpu = 0;
    Timing& operator+=(const Timing& other) {
        wall += other.wall;
        cpu += other.cpu;
        return *this;
    }
};

double cpuSeconds() {
    double sum = 0;
    for (const int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage usage{};
        ::getrusage(who, &usage);
        for (const timeval& time : {usage.ru_utime, usage.ru_stime})
            sum += static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    }
    return sum;
}

Timing timed(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = cpuSeconds();
    action();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            cpuSeconds() - cpuStart};
}

void report(const char* stage, const Timing& timing) {
    const double megabytes = kTextBytes / 1e6;
    std::printf("%-34s %7.3f s %8.1f MB/s   cpu %7.3f s %8.1f MB/s\n", stage, timing.wall,
                megabytes / timing.wall, timing.cpu, megabytes / timing.cpu);
}

void runShell(const std::string& command) {
    // The benchmark runs one thread, so system() is safe here.
    if (std::system(command.c_str()) != 0) // NOLINT(concurrency-mt-unsafe)
        std::printf("failed: %s\n", command.c_str());
}

} // namespace

int main() {
    std::string pattern = std::filesystem::temp_directory_path() / "tolvane-bench-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) return 1;
    const std::u16string folder = fromUtf8(pattern);
    const std::u16string source = folder + u"/source.txt";

    writeNewFile(source, sampleText());
    writeNewFile(folder + u"/table.txt", encodeAnsi(tableText()));
    NoWindow window;
    复位对照表();
    if (!载入对照表文件(folder + u"/table.txt", window)) return 1;
    使用多线程 = true;
    decodeOem({}); // the code page tables are built once, before any timing

    std::vector<std::uint8_t> bytes;
    std::vector<char16_t> units;
    std::vector<std::uint8_t> encoded;
    std::printf("%zu MB of code page 936 text, 3000 mapped characters\n", kTextBytes / 1000000);
    Timing total;
    const auto stage = [&](const char* name, const std::function<void()>& action) {
        const Timing timing = timed(action);
        report(name, timing);
        total += timing;
    };
    stage("read", [&] { bytes = readWholeFile(source); });
    stage("decode", [&] { decodeOemInto(bytes, units); });
    stage("convert", [&] { 转换内码(units); });
    stage("encode", [&] { encodeOemInto(units, encoded); });
    stage("write", [&] { writeNewFile(folder + u"/staged.txt", encoded); });
    report("stages together", total);

    report("end to end (read, convert, write)", timed([&] {
               std::u16string in = source;
               std::u16string out = folder + u"/converted.txt";
               std::vector<char16_t> text;
               读文本文件(in, text);
               转换内码(text);
               写文本文件(out, text);
           }));

    const std::string base = pattern + "/";
    report("iconv CP936 -> UTF-16LE", timed([&] {
               runShell("iconv -f CP936 -t UTF-16LE " + base + "source.txt > " + base + "u16");
           }));
    report("iconv UTF-16LE -> CP936", timed([&] {
               runShell("iconv -f UTF-16LE -t CP936 " + base + "u16 > " + base + "back.txt");
           }));

    std::filesystem::remove_all(pattern);
    return 0;
}
