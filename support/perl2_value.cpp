// The value kind of the list operations.

#include "platform/error.h"
#include "support/perl2.h"

#include <array>
#include <charconv>
#include <limits>

namespace tolvane {

namespace {

constexpr std::int64_t kLargest = std::numeric_limits<std::int32_t>::max();

std::u16string numberText(double number) {
    std::array<char, 32> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
    return {digits.data(), end};
}

} // namespace

ListValue::ListValue(std::u16string text) : kind_(Kind::Text), text_(std::move(text)) {}

ListValue::ListValue(const char16_t* text) : ListValue(std::u16string(text)) {}

ListValue::ListValue(double number) : kind_(Kind::Number), number_(number) {}

ListValue ListValue::list(std::vector<ListValue> elements, std::int32_t lowerBound) {
    const auto upper =
        static_cast<std::int64_t>(lowerBound) + static_cast<std::int64_t>(elements.size()) - 1;
    if (upper > kLargest) throw Error(kOverflow, u"溢出");
    ListValue value;
    value.kind_ = Kind::List;
    value.lowerBound_ = lowerBound;
    value.elements_ = std::move(elements);
    return value;
}

ListValue ListValue::released() {
    ListValue value;
    value.kind_ = Kind::Released;
    return value;
}

std::u16string ListValue::text() const {
    switch (kind_) {
    case Kind::Text:
        return text_;
    case Kind::Number:
        return numberText(number_);
    case Kind::List:
        if (!elements_.empty()) throw Error(kTypeMismatch, u"类型不匹配");
        return {};
    default:
        return {};
    }
}

std::int32_t ListValue::upperBound() const {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(lowerBound_) +
                                     static_cast<std::int64_t>(elements_.size()) - 1);
}

const ListValue& ListValue::operator[](std::int32_t index) const {
    const auto offset = static_cast<std::int64_t>(index) - lowerBound_;
    if (offset < 0 || offset >= static_cast<std::int64_t>(elements_.size()))
        throw Error(kSubscriptOutOfRange, u"下标越界");
    return elements_[static_cast<std::size_t>(offset)];
}

} // namespace tolvane
