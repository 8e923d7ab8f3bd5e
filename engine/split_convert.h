#pragma once
// A piece converted in two halves at once, on two cores. No character of
// UTF-8 or the Chinese code pages holds the line-feed byte but the line feed
// itself, so a piece
// cut after a line feed is two whole texts; and unless a phrase rule holds a
// line feed, no rule reaches across the cut either.

#include "engine/background_task.h"
#include "engine/piece_convert.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace tolvane {

class SplitConverter {
  public:
    // As PieceConverter's; the table must outlive the converter.
    SplitConverter(const 内码对照表& table, Encoding encoding, Encoding output);

    struct Result {
        std::size_t used;
        // The converted bytes, the first half's then the second's; valid
        // until the call after the next.
        std::span<const std::uint8_t> first;
        std::span<const std::uint8_t> second;
    };
    // As PieceConverter::convert.
    Result convert(std::span<const std::uint8_t> input, bool last);

    void stopAtInvalid();
    void countChanges();
    std::uint64_t changedUnits() const;
    std::exception_ptr refusal() const;
    bool sawNonAscii() const;
    bool sawInvalid() const;

  private:
    std::size_t cutAfterLineFeed(std::span<const std::uint8_t> input) const;

    // The one that goes on with the text converts the first half; the other,
    // which has nothing waiting, the second half, and then goes on with it.
    std::array<PieceConverter, 2> converters_;
    std::size_t current_ = 0;
    bool splits_;
    std::optional<BackgroundTask> helper_;
};

} // namespace tolvane
