// Split, Join, Push, Pop, Unshift and their building blocks.

#include "support/perl2.h"

#include "platform/error.h"

#include <limits>

namespace tolvane {

namespace {

constexpr std::int32_t kNoLimit = std::numeric_limits<std::int32_t>::max();

std::vector<ListValue> elementsOf(const ListValue& value) {
    return IsNonEmptyArray(value) ? value.elements() : std::vector<ListValue>{};
}

// Keeps leading and inner empty pieces, drops those at the end; no piece
// left gives a list without elements.
ListValue withoutTrailingEmpties(const ListValue& pieces) {
    std::vector<ListValue> kept = pieces.elements();
    while (!kept.empty() && kept.back().text().empty())
        kept.pop_back();
    return ListValue::list(std::move(kept), 0);
}

ListValue resizedTo(const ListValue& pieces, std::int32_t count) {
    std::vector<ListValue> sized = elementsOf(pieces);
    sized.resize(static_cast<std::size_t>(count));
    return ListValue::list(std::move(sized), 0);
}

// The pieces of text between occurrences of separator, at most `remaining`.
ListValue cutPieces(const std::u16string& separator, const std::u16string& text,
                    std::int32_t remaining) {
    ListValue result;
    std::size_t pos = 0;
    for (;;) {
        std::size_t found = pos < text.size() ? text.find(separator, pos) : std::u16string::npos;
        if (separator.empty()) {
            if (pos >= text.size()) return result;
            found = pos + 1;
        }
        if (found == std::u16string::npos || remaining <= 1) break;
        --remaining;
        PushOne(result, text.substr(pos, found - pos));
        pos = found + separator.size();
    }
    PushOne(result, pos < text.size() ? text.substr(pos) : std::u16string());
    return result;
}

ListValue itemsList(std::initializer_list<ListValue> items) {
    return ListValue::list(std::vector<ListValue>(items));
}

} // namespace

bool IsNonEmptyArray(const ListValue& value) {
    return value.kind() == ListValue::Kind::List && !value.elements().empty();
}

std::int32_t ElementCount(const ListValue& value) {
    if (!IsNonEmptyArray(value)) return 0;
    const auto count = static_cast<std::int64_t>(value.upperBound()) - value.lowerBound() + 1;
    if (count > std::numeric_limits<std::int32_t>::max()) throw Error(kOverflow, u"溢出");
    return static_cast<std::int32_t>(count);
}

void PushOne(ListValue& list, const ListValue& value) {
    if (!IsNonEmptyArray(list)) {
        list = ListValue::list({value});
        return;
    }
    std::vector<ListValue> grown = list.elements();
    grown.push_back(value);
    list = ListValue::list(std::move(grown), list.lowerBound());
}

void FlattenInto(const ListValue& source, ListValue& target) {
    if (!source.isList()) return;
    try {
        for (const ListValue& element : source.elements()) {
            if (element.isList())
                FlattenInto(element, target);
            else
                PushOne(target, element);
        }
    } catch (const Error&) {
        // What was flattened so far stays; the rest of this list is given up.
    }
}

ListValue Flatten(const ListValue& value) {
    ListValue result;
    FlattenInto(value, result);
    return result;
}

ListValue JoinNested(const ListValue& separator, const ListValue& value, const ListValue& inner) {
    if (!IsNonEmptyArray(value)) return value;
    const std::u16string between = separator.text();
    std::u16string joined;
    const auto& elements = value.elements();
    for (std::size_t i = 0; i < elements.size(); ++i) {
        joined += JoinNested(inner, elements[i], inner).text();
        if (i + 1 < elements.size()) joined += between;
    }
    return joined;
}

ListValue Join(const ListValue& separator, std::initializer_list<ListValue> items) {
    return JoinNested(separator, Flatten(itemsList(items)), u"");
}

ListValue Split(const ListValue& separator, const ListValue& text, std::int32_t limit) {
    ListValue result = cutPieces(separator.text(), text.text(), limit > 0 ? limit : kNoLimit);
    if (limit > 0) result = resizedTo(result, limit);
    if (limit == 0 && IsNonEmptyArray(result)) result = withoutTrailingEmpties(result);
    return result;
}

void Push(ListValue& list, std::initializer_list<ListValue> items) {
    list = Flatten(list);
    const ListValue added = Flatten(itemsList(items));
    if (!IsNonEmptyArray(list)) {
        list = added;
        return;
    }
    for (const ListValue& element : elementsOf(added))
        PushOne(list, element);
}

ListValue Pop(ListValue& list) {
    list = Flatten(list);
    if (!IsNonEmptyArray(list)) return {};
    std::vector<ListValue> rest = list.elements();
    ListValue last = rest.back();
    rest.pop_back();
    list =
        rest.empty() ? ListValue::released() : ListValue::list(std::move(rest), list.lowerBound());
    return last;
}

void Unshift(ListValue& list, std::initializer_list<ListValue> items) {
    list = Flatten(list);
    const ListValue added = Flatten(itemsList(items));
    if (!IsNonEmptyArray(list)) {
        list = added;
        return;
    }
    std::vector<ListValue> front = elementsOf(added);
    const std::vector<ListValue>& back = list.elements();
    front.insert(front.end(), back.begin(), back.end());
    list = ListValue::list(std::move(front), list.lowerBound());
}

} // namespace tolvane
