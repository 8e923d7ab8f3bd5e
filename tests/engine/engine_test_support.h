#pragma once
// A clean program-wide state for every engine test: no cancel, worker-thread
// mode, no event pump; and tables built in a line.

#include "common/scratch_folder.h"
#include "engine/state.h"
#include "engine/stream.h"
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

struct MemorySource : ByteSource {
    MemorySource(std::string bytes, bool rewindable)
        : bytes(std::move(bytes)), rewindable(rewindable) {}
    std::size_t read(std::span<std::uint8_t> buffer) override {
        const std::size_t n = bytes.copy(reinterpret_cast<char*>(buffer.data()), buffer.size(), at);
        return at += n, n;
    }
    bool canRewind() const override { return rewindable; }
    void rewind() override { at = 0; }
    std::string bytes;
    bool rewindable;
    std::size_t at = 0;
};

struct MemorySink : ByteSink {
    void write(std::span<const std::uint8_t> bytes) override {
        text.append(bytes.begin(), bytes.end());
    }
    void empty() override { text.clear(); }
    std::string text;
};

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
