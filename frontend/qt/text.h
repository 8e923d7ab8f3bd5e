#pragma once
// Between the program's UTF-16 strings and Qt's: both are UTF-16, so the code
// units pass unchanged, lone surrogates included.

#include <QString>
#include <string>

namespace tolvane::qt {

inline QString toQString(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::u16string toU16(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

} // namespace tolvane::qt
