#pragma once
// List and string operations in the manner of a scripting language's list
// built-ins. Paths are taken apart with them: Split at the separator, Pop the
// name, Join the rest. Push, Pop, Unshift and Join flatten nested lists first.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace tolvane {

// Raised when a list bound or count leaves the 32-bit signed range.
inline constexpr std::int32_t kOverflow = 6;
// Raised when an index lies outside a list's bounds.
inline constexpr std::int32_t kSubscriptOutOfRange = 9;
// Raised when a filled list is read as text.
inline constexpr std::int32_t kTypeMismatch = 13;

// Empty, a text, a number, or a list with a lower bound; a released list has
// no elements and counts as not filled.
class ListValue {
  public:
    enum class Kind { Empty, Text, Number, List, Released };

    ListValue() = default;
    // Implicit, so that texts and numbers can be passed wherever a value is asked for.
    ListValue(std::u16string text);
    ListValue(const char16_t* text);
    ListValue(double number);

    static ListValue list(std::vector<ListValue> elements, std::int32_t lowerBound = 0);
    static ListValue released();

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }
    bool isList() const { return kind_ == Kind::List || kind_ == Kind::Released; }

    // Empty and lists without elements read as the empty text; a number in
    // its shortest decimal form.
    std::u16string text() const;

    std::int32_t lowerBound() const { return lowerBound_; }
    // lowerBound() - 1 for a list without elements.
    std::int32_t upperBound() const;
    const std::vector<ListValue>& elements() const { return elements_; }
    // The element at a list index between the bounds.
    const ListValue& operator[](std::int32_t index) const;

    bool operator==(const ListValue& other) const = default;

  private:
    Kind kind_ = Kind::Empty;
    std::u16string text_;
    double number_ = 0;
    std::int32_t lowerBound_ = 0;
    std::vector<ListValue> elements_;
};

// Limit > 0: exactly that many pieces, the last keeping the rest. Limit < 0:
// every piece. Limit 0: every piece, empty ones at the end dropped.
ListValue Split(const ListValue& separator, const ListValue& text, std::int32_t limit);

// The texts of all non-list elements of the items, with separator between them;
// empty when there are none.
ListValue Join(const ListValue& separator, std::initializer_list<ListValue> items);
template <class... Items> ListValue Join(const ListValue& separator, const Items&... items) {
    return Join(separator, std::initializer_list<ListValue>{ListValue(items)...});
}

void Push(ListValue& list, std::initializer_list<ListValue> items);
template <class... Items> void Push(ListValue& list, const Items&... items) {
    Push(list, std::initializer_list<ListValue>{ListValue(items)...});
}

// The last element, or empty; a list losing its last element is released.
ListValue Pop(ListValue& list);

void Unshift(ListValue& list, std::initializer_list<ListValue> items);
template <class... Items> void Unshift(ListValue& list, const Items&... items) {
    Unshift(list, std::initializer_list<ListValue>{ListValue(items)...});
}

// A new list (lower bound 0) of every non-list element in depth-first order,
// or empty when there is none.
ListValue Flatten(const ListValue& value);

bool IsNonEmptyArray(const ListValue& value);
std::int32_t ElementCount(const ListValue& value);

// Appends value unchanged (a list becomes a nested element), keeping the lower
// bound; a list that is not filled becomes a new one-element list.
void PushOne(ListValue& list, const ListValue& value);
void FlattenInto(const ListValue& source, ListValue& target);

// Elements joined with separator, nested lists with inner at every deeper
// level; a value that is not a filled list is returned unchanged.
ListValue JoinNested(const ListValue& separator, const ListValue& value, const ListValue& inner);

} // namespace tolvane
