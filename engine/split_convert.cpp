#include "engine/split_convert.h"

#include <algorithm>

namespace tolvane {

namespace {

// Smaller pieces are not worth a second thread.
constexpr std::size_t kSmallestSplit = std::size_t{1} << 16;

} // namespace

SplitConverter::SplitConverter(const 内码对照表& table, Encoding encoding, Encoding output)
    : converters_{PieceConverter(table, encoding, output), PieceConverter(table, encoding, output)},
      splits_(!isUtf16(encoding) && !table.词组().holdsLineFeed()) {}

std::size_t SplitConverter::cutAfterLineFeed(std::span<const std::uint8_t> input) const {
    if (!splits_ || input.size() < kSmallestSplit) return 0;
    const auto middle = input.begin() + static_cast<std::ptrdiff_t>(input.size() / 2);
    auto lineFeed = std::find(middle, input.end() - 1, '\n');
    if (lineFeed == input.end() - 1) {
        const auto back = std::find(std::make_reverse_iterator(middle), input.rend(), '\n');
        if (back == input.rend()) return 0;
        lineFeed = back.base() - 1;
    }
    return static_cast<std::size_t>(lineFeed - input.begin()) + 1;
}

SplitConverter::Result SplitConverter::convert(std::span<const std::uint8_t> input, bool last) {
    const std::size_t cut = cutAfterLineFeed(input);
    PieceConverter& first = converters_[current_];
    if (cut == 0) {
        const PieceConverter::Result whole = first.convert(input, last);
        return {whole.used, whole.bytes, {}};
    }
    if (!helper_) helper_.emplace();
    PieceConverter& second = converters_[current_ ^ 1];
    PieceConverter::Result secondHalf{};
    helper_->start([&] { secondHalf = second.convert(input.subspan(cut), last); });
    std::optional<PieceConverter::Result> firstHalf;
    try {
        // It ends after a line feed: nothing waits for what follows.
        firstHalf = first.convert(input.first(cut), true);
    } catch (...) {
        try {
            helper_->wait();
        } catch (...) { // NOLINT(bugprone-empty-catch): the first failure is the one told
        }
        throw;
    }
    helper_->wait();
    current_ ^= 1;
    return {cut + secondHalf.used, firstHalf->bytes, secondHalf.bytes};
}

void SplitConverter::stopAtInvalid() {
    for (PieceConverter& converter : converters_)
        converter.stopAtInvalid();
}

void SplitConverter::countChanges() {
    for (PieceConverter& converter : converters_)
        converter.countChanges();
}

std::uint64_t SplitConverter::changedUnits() const {
    return converters_[0].changedUnits() + converters_[1].changedUnits();
}

std::exception_ptr SplitConverter::refusal() const {
    return converters_[0].refusal() ? converters_[0].refusal() : converters_[1].refusal();
}

bool SplitConverter::sawNonAscii() const {
    return converters_[0].sawNonAscii() || converters_[1].sawNonAscii();
}

bool SplitConverter::sawInvalid() const {
    return converters_[0].sawInvalid() || converters_[1].sawInvalid();
}

} // namespace tolvane
