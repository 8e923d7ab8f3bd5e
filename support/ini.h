#pragma once
// The program's settings in an INI file, in the folder support/places.h
// chooses: choose the file and a default section, read a value with a default,
// write a value, and check that a value read lies in a range.

#include <optional>
#include <string>

namespace tolvane {

// Chooses "<folder>/<应用名>.ini" (应用名 "Appname" when empty) and the default
// section (应用名 when 小节 is empty). The folder is the program's unless given.
void 设置INI文件(const std::u16string& 应用名, const std::u16string& 小节,
                 const std::optional<std::u16string>& 文件夹 = std::nullopt);

// The path rule of 设置INI文件: one separator between folder and file name,
// also for a root folder that already ends in one.
std::u16string INI文件路径(const std::u16string& 文件夹, const std::u16string& 应用名);

// The stored value (cut to 254 ANSI bytes), or 默认 when it is missing or empty.
// An empty 小节 means the default section.
std::u16string INI属性读出(const std::u16string& 键, const std::u16string& 默认 = u"",
                           const std::u16string& 小节 = u"");

// Creates the file's folder when it is missing. Throws Error kIniWriteFailed,
// whose description names the file, when the file cannot be written; the
// previous file then stays as it was.
void INI属性写入(const std::u16string& 键, const std::u16string& 值,
                 const std::u16string& 小节 = u"");

// 值 when it is a number between the two bounds (both included, either order);
// otherwise 默认 when that lies between them, else the lower bound.
float 范围内数值(const std::u16string& 值, float 界1, float 界2, float 默认);
float 范围内数值(double 值, float 界1, float 界2, float 默认);

// The text up to its first U+0000, or the whole text.
std::u16string 截至空字符(const std::u16string& 文本);

} // namespace tolvane
