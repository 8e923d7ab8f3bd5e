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

std::optional<Encoding> outputEncoding(const char* name) {
    if (name == nullptr || *name == '\0') return std::nullopt;
    const Encoding named = inputEncoding(name);
    if (named == Encoding::Auto) return std::nullopt;
    return named;
}

// The engine writes a text in the encoding it was read in; once it can write
// another, the callers hand it the output encoding instead of calling this.
void checkOutputEncoding(std::optional<Encoding> output, Encoding read) {
    if (output && *output != read)
        throw Failure(TOLVANE_ERROR_ENCODING, std::string("文本是 ") + nameOf(read) +
                                                  "，这一版只能写成读入时的编码，不能写成 " +
                                                  nameOf(*output));
}

// encodingName gives views of whole string literals, which end in a NUL.
const char* nameOf(Encoding encoding) {
    return encodingName(encoding).data();
}

} // namespace tolvane::lib
