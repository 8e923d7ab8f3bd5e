#pragma once
// Numbers kept as text in the settings file: blanks (spaces and tabs, which
// the file's reader also drops around a value) before the number, an optional
// sign, digits with at most one decimal point, and an exponent when digits
// follow its "e". A number beyond a double's range is no number.

#include <optional>
#include <string>

namespace tolvane {

// The number the text starts with, 0 when there is none.
double 开头数值(const std::u16string& 文本);

// The number when the whole text, blanks around it aside, is one.
std::optional<double> 整体数值(const std::u16string& 文本);

} // namespace tolvane
