#pragma once
// Shared by the engine tests: a private temporary folder, raw file access and
// a clean program-wide state for every test.

#include "engine/state.h"
#include "engine/table.h"
#include "tests/native_path.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tolvane::testing {

// A unique folder under the system's temporary folder, removed with its contents.
class TempFolder {
  public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::u16string& path() const { return path_; }
    std::u16string operator/(const std::u16string& name) const;

  private:
    std::u16string path_;
};

void writeBytes(const std::u16string& path, const std::string& bytes);
std::string readBytes(const std::u16string& path);
bool exists(const std::u16string& path);

std::vector<char16_t> units(std::u16string_view text);

// Identity table, flags cleared, worker-thread mode, no event pump.
class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

} // namespace tolvane::testing
