#pragma once
// Reading and writing one key of an INI file, with the semantics of the
// system's private-profile functions. Section, key, default and value are bytes
// of the ANSI code page; the file path is UTF-16.
//
// File format: "[section]" lines and "key=value" lines, CR LF line ends (LF
// alone is read too). Names match case-insensitively (ASCII letters); blanks
// around keys and values and one pair of quotation marks around a value are
// dropped when reading. Other lines and their order are kept.

#include <cstdint>
#include <string>

namespace tolvane {

// Places the stored value, or the default when the file, section or key is
// missing, into buffer: at most size - 1 bytes and a NUL. Returns the number of
// bytes placed without the NUL.
std::uint32_t getPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, char* buffer,
                                      std::uint32_t size, const std::u16string& file);

// Sets the key, adding it at the end of its section and the section at the end
// of the file as needed. The file is replaced as a whole, so a failure (false)
// leaves the previous file exactly as it was.
bool writePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::u16string& file);

} // namespace tolvane
