// Times what a user waits for: a 200 MB text converted end to end (moved into
// its backup folder, read, converted, written and renamed into place, the page
// cache warm), in code page 936 and in UTF-8, beside the system's iconv merely
// decoding the same file; the load of a 3000-line table; the peak memory of a
// 1 GB file; and the cost of flushing 10,000 small files. Run an optimised
// build; on a shared machine the best of a few rounds is printed.

#include "engine/file_steps.h"
#include "engine/state.h"
#include "engine/table.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/utf8.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace tolvane;
namespace fs = std::filesystem;

constexpr std::size_t kTextBytes = std::size_t{200} * 1000 * 1000;
constexpr int kRounds = 3;
constexpr int kSmallFiles = 10000;

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

// Lines of 36 common characters and a little ASCII, as Chinese prose looks.
std::vector<std::uint8_t> sampleText(std::size_t size) {
    std::mt19937 random(936);
    std::vector<std::uint8_t> text;
    text.reserve(size + 256);
    const std::string ascii = " Tolvane 0.95, ";
    while (text.size() < size) {
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
std::vector<std::uint8_t> tableFile() {
    std::u16string lines;
    for (std::uint32_t index = 0; index < 3000; ++index) {
        const auto [lead, trail] = commonCharacter(index);
        const std::uint8_t target[] = {static_cast<std::uint8_t>(0x81 + index / 190),
                                       static_cast<std::uint8_t>(0x40 + index % 190)};
        const std::uint8_t source[] = {lead, trail};
        lines += decodeAnsi(source) + u" " + decodeAnsi(target) + u"\r\n";
    }
    return encodeAnsi(lines);
}

double seconds(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double best(const std::function<double()>& round) {
    double fastest = 1e9;
    for (int i = 0; i < kRounds; ++i)
        fastest = std::min(fastest, round());
    return fastest;
}

double megabytesPerSecond(std::size_t bytes, double time) {
    return static_cast<double>(bytes) / 1e6 / time;
}

void runShell(const std::string& command) {
    // The benchmark runs one thread, so system() is safe here.
    if (std::system(command.c_str()) != 0) // NOLINT(concurrency-mt-unsafe)
        std::printf("failed: %s\n", command.c_str());
}

void writeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

struct EndToEnd {
    double convert = 0; // backup, read, convert, write into the temporary file
    double flush = 0;   // flush to disk, rename into place, flush the folder
};

// One file through the job's steps; the file is put back for the next round.
EndToEnd convertOnce(const 内码对照表& table, const fs::path& path) {
    文件内容转换 steps(table, fromUtf8(path.string()));
    EndToEnd timing;
    timing.convert = seconds([&] {
        steps.移入备份();
        steps.读出();
        steps.转换(stopRequested);
    });
    timing.flush = seconds([&] { steps.写入(); });
    fs::remove(path);
    fs::rename(toUtf8(steps.备份路径()), path);
    fs::remove(path.parent_path() / "~Vebzo01.bak");
    return timing;
}

void benchEndToEnd(const 内码对照表& table, const fs::path& path, const char* name,
                   const char* iconvFrom) {
    runShell("cat '" + path.string() + "' > /dev/null"); // the page cache warm
    EndToEnd fastest{1e9, 1e9};
    for (int i = 0; i < kRounds; ++i) {
        const EndToEnd round = convertOnce(table, path);
        fastest.convert = std::min(fastest.convert, round.convert);
        fastest.flush = std::min(fastest.flush, round.flush);
    }
    const std::size_t size = fs::file_size(path);
    const double iconv = best([&] {
        return seconds([&] {
            runShell(std::string("iconv -f ") + iconvFrom + " -t UTF-16LE '" + path.string() +
                     "' > /dev/null");
        });
    });
    const double ours = megabytesPerSecond(size, fastest.convert);
    const double theirs = megabytesPerSecond(size, iconv);
    std::printf("%-6s %4zu MB end to end %7.1f ms %7.0f MB/s | flush+rename %6.1f ms | "
                "iconv -f %s decoding %7.1f ms %6.0f MB/s | ratio %.2f\n",
                name, size / 1000000, fastest.convert * 1e3, ours, fastest.flush * 1e3, iconvFrom,
                iconv * 1e3, theirs, ours / theirs);
}

// The peak resident memory of tolvane-cli converting the file, in MiB, as
// /usr/bin/time measures it (a child of this large process would inherit its
// high-water mark).
double peakMemoryOfCli(const std::string& cli, const fs::path& table, const fs::path& file) {
    const fs::path report = file.parent_path() / "rss.txt";
    runShell("/usr/bin/time -f %M -o '" + report.string() + "' " + cli + " -q -t '" +
             table.string() + "' '" + file.string() + "'");
    double kilobytes = -1;
    std::ifstream(report) >> kilobytes;
    return kilobytes / 1024.0;
}

void benchTableLoad(const std::string& cli, const fs::path& table) {
    NoWindow window;
    const double first = seconds([&] { 载入对照表文件(fromUtf8(table.string()), window, true); });
    const double again = best(
        [&] { return seconds([&] { 载入对照表文件(fromUtf8(table.string()), window, true); }); });
    const double wholeRun = best([&] {
        return seconds([&] { runShell(cli + " -q -t '" + table.string() + "' < /dev/null"); });
    });
    std::printf("table of 3000 lines: first load %.2f ms (with the code page tables), "
                "again %.2f ms; a whole tolvane-cli run on empty input %.2f ms\n",
                first * 1e3, again * 1e3, wholeRun * 1e3);
}

void makeSmallFiles(const fs::path& folder) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::vector<std::uint8_t> small = sampleText(1000);
    for (int i = 0; i < kSmallFiles; ++i)
        writeFile(folder / (std::to_string(i) + ".txt"), small);
    runShell("sync");
}

// One file after another, each flushed and renamed before the next (the
// window's job), then all of them by tolvane-cli, which flushes them in groups.
void benchSmallFiles(const 内码对照表& loaded, const std::string& cli, const fs::path& table,
                     const fs::path& folder) {
    makeSmallFiles(folder);
    double converting = 0;
    double flushing = 0;
    for (int i = 0; i < kSmallFiles; ++i) {
        文件内容转换 steps(loaded, fromUtf8((folder / (std::to_string(i) + ".txt")).string()));
        converting += seconds([&] {
            steps.移入备份();
            steps.读出();
            steps.转换(stopRequested);
        });
        flushing += seconds([&] { steps.写入(); });
    }
    std::printf("%d small files one by one: converting %.0f ms, flushing and renaming %.0f ms "
                "(%.2f ms a file)\n",
                kSmallFiles, converting * 1e3, flushing * 1e3, flushing * 1e3 / kSmallFiles);
    makeSmallFiles(folder);
    const double grouped = seconds(
        [&] { runShell(cli + " -q -t '" + table.string() + "' -r '" + folder.string() + "'"); });
    std::printf("%d small files by tolvane-cli -r, flushed in groups: %.0f ms in all "
                "(%.2f ms a file)\n",
                kSmallFiles, grouped * 1e3, grouped * 1e3 / kSmallFiles);
}

} // namespace

int main(int argc, char** argv) {
    const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::current_path() / "bench-files";
    fs::create_directories(folder);
    const std::string cli = TOLVANE_CLI;
    使用多线程 = true;

    const fs::path table = folder / "table.txt";
    writeFile(table, tableFile());
    benchTableLoad(cli, table);
    NoWindow window;
    const TablePtr loaded = 载入对照表文件(fromUtf8(table.string()), window, true).table;

    const std::vector<std::uint8_t> gbk = sampleText(kTextBytes);
    writeFile(folder / "gbk.txt", gbk);
    const std::u16string text = decodeOem(gbk);
    const std::string utf8 = toUtf8(text);
    writeFile(folder / "utf8.txt", {utf8.begin(), utf8.end()});
    benchEndToEnd(*loaded, folder / "gbk.txt", "GBK", "GBK");
    benchEndToEnd(*loaded, folder / "utf8.txt", "UTF-8", "UTF-8");

    // A 1 GB file, five times the sample, converted by tolvane-cli.
    {
        std::ofstream big(folder / "big.txt", std::ios::binary);
        for (int i = 0; i < 5; ++i)
            big.write(reinterpret_cast<const char*>(gbk.data()),
                      static_cast<std::streamsize>(gbk.size()));
    }
    std::printf("peak memory of tolvane-cli converting a %ju MB file: %.1f MiB\n",
                static_cast<std::uintmax_t>(fs::file_size(folder / "big.txt") / 1000000),
                peakMemoryOfCli(cli, table, folder / "big.txt"));

    benchSmallFiles(*loaded, cli, table, folder / "small");
    fs::remove_all(folder);
    return 0;
}
