#pragma once
// The encodings a caller names, taken by name so that a new encoding of the
// engine needs no change of the interface.

#include "engine/encoding.h"

#include <optional>

namespace tolvane::lib {

// NULL is "auto". Throws Failure(TOLVANE_ERROR_ENCODING) for a name not known.
Encoding inputEncoding(const char* name);

// NULL, "" and "auto" are the encoding the text is read in: Auto.
Encoding outputEncoding(const char* name);

// A static, NUL-terminated name: "GBK", "UTF-8", ...
const char* nameOf(Encoding encoding);

} // namespace tolvane::lib
