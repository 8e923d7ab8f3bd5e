#pragma once
// A clean program-wide state for every engine test: identity table, no
// cancel, worker-thread mode, no event pump.

#include "common/scratch_folder.h"
#include "engine/state.h"
#include "engine/table.h"

#include <gtest/gtest.h>
#include <string_view>
#include <vector>

namespace tolvane::testing {

inline std::vector<char16_t> units(std::u16string_view text) {
    return {text.begin(), text.end()};
}

class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }

  private:
    static void reset() {
        复位对照表();
        取消标志 = false;
        使用多线程 = true;
        setEventPump(nullptr);
    }
};

} // namespace tolvane::testing
