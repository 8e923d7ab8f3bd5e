#include "tests/engine/engine_test_support.h"

#include "platform/files.h"
#include "platform/utf8.h"
#include "tests/mkdtemp.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tolvane::testing {

TempFolder::TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tolvane-engine-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = fromUtf8(pattern);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(path_), ignored);
}

std::u16string TempFolder::operator/(const std::u16string& name) const {
    return joinPath(path_, native(name));
}

void writeBytes(const std::u16string& path, const std::string& bytes) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary);
    file << bytes;
    if (!file) throw std::runtime_error("test file not written");
}

std::string readBytes(const std::u16string& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file) throw std::runtime_error("test file not readable");
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool exists(const std::u16string& path) {
    return std::filesystem::symlink_status(std::filesystem::path(path)).type() !=
           std::filesystem::file_type::not_found;
}

std::vector<char16_t> units(std::u16string_view text) {
    return {text.begin(), text.end()};
}

void EngineTest::SetUp() {
    复位对照表();
    取消标志 = false;
    使用多线程 = true;
    setEventPump(nullptr);
}

void EngineTest::TearDown() {
    setEventPump(nullptr);
    复位对照表();
    取消标志 = false;
    使用多线程 = true;
}

} // namespace tolvane::testing
