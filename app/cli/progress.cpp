#include "app/cli/progress.h"

#include "app/cli/terminal.h"

#include <array>
#include <cstdio>

namespace tolvane::cli {

namespace {

constexpr auto kEraseLine = "\r\033[K";

std::string formatted(const char* format, double value, const char* unit) {
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), format, value, unit);
    return buffer.data();
}

} // namespace

std::string formatBytes(double bytes) {
    constexpr std::array kUnits{"KB", "MB", "GB", "TB"};
    if (bytes < 1024) return formatted("%.0f %s", bytes, "B");
    std::size_t unit = 0;
    bytes /= 1024;
    while (bytes >= 1024 && unit + 1 < kUnits.size()) {
        bytes /= 1024;
        ++unit;
    }
    return formatted("%.1f %s", bytes, kUnits[unit]);
}

void Progress::start(std::size_t totalItems, std::uintmax_t totalBytes) {
    totalItems_ = totalItems;
    totalBytes_ = totalBytes;
    started_ = std::chrono::steady_clock::now();
    draw();
}

void Progress::itemDone(std::uintmax_t bytes) {
    ++itemsDone_;
    bytesDone_ += bytes;
    draw();
}

void Progress::clear() {
    if (!shown_) return;
    writeText(Stream::Error, kEraseLine);
    shown_ = false;
}

void Progress::draw() {
    if (!enabled_) return;
    writeText(Stream::Error, kEraseLine + line());
    shown_ = true;
}

std::string Progress::line() const {
    std::string text = "已完成 " + std::to_string(itemsDone_) + "/" + std::to_string(totalItems_) +
                       " 个文件，" + formatBytes(static_cast<double>(bytesDone_)) + "/" +
                       formatBytes(static_cast<double>(totalBytes_));
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started_;
    if (bytesDone_ > 0 && elapsed.count() > 0)
        text += "，" + formatBytes(static_cast<double>(bytesDone_) / elapsed.count()) + "/s";
    return text;
}

} // namespace tolvane::cli
