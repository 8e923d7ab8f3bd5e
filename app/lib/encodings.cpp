#include "app/lib/encodings.h"

#include "app/lib/errors.h"

#include <string>

namespace tolvane::lib {

Encoding inputEncoding(const char* name) {
    if (name == nullptr) return Encoding::Auto;
    const std::optional<Encoding> named = encodingNamed(name);
    if (!named) throw Failure(TOLVANE_ERROR_ENCODING, std::string("不认识的编码“") + name + "”");
    return *named;
}

Encoding outputEncoding(const char* name) {
    return name == nullptr || *name == '\0' ? Encoding::Auto : inputEncoding(name);
}

// encodingName gives views of whole string literals, which end in a NUL.
const char* nameOf(Encoding encoding) {
    return encodingName(encoding).data();
}

} // namespace tolvane::lib
