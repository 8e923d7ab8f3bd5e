#pragma once
// Case folding for names that ignore the case of ASCII letters only (encoding
// names, INI names, URI schemes): every other byte stays as it is, also the
// second byte of a double-byte character that looks like a letter.

namespace tolvane {

constexpr char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace tolvane
