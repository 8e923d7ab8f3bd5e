#pragma once
// Errors of the Win32 calls as the program's Error, with the same numbers and
// descriptions the other systems give for the same failure.

#include "platform/error.h"

#include <string>

namespace tolvane::win32 {

// code is a GetLastError() value.
Error systemError(unsigned long code, const std::u16string& path = {});

// The last error of the calling thread.
[[noreturn]] void fail(const std::u16string& path);

} // namespace tolvane::win32
