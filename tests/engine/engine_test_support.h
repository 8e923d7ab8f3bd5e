#pragma once
// A clean program-wide state for every engine test: no cancel, worker-thread
// mode, no event pump; and tables built in a line.

#include "common/scratch_folder.h"
#include "engine/state.h"
#include "engine/table.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace tolvane::testing {

using Phrase = std::pair<std::u16string_view, std::u16string_view>;

// Each mapping is two units, source and target: u"ab" maps a to b.
inline TablePtr tableOf(std::initializer_list<std::u16string_view> mappings,
                        std::initializer_list<Phrase> phrases = {}) {
    TableBuilder table;
    for (const std::u16string_view mapping : mappings)
        table.设置对照(mapping[0], mapping[1]);
    for (const auto& [source, target] : phrases)
        table.加入词组(source, target);
    return table.build();
}

class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }

  private:
    static void reset() {
        取消标志 = false;
        使用多线程 = true;
        setEventPump(nullptr);
    }
};

} // namespace tolvane::testing
