#include "text.h"

#include "failures.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <sys/mman.h>
#include <vector>

namespace tolvane::python {

namespace {

// A page of fresh memory costs a fault when it is first written, which on
// some machines (virtual ones above all) costs more than converting the
// text on it: a large text's new memory is asked for in large pages, each
// a single fault.
void preferLargePages(void* data, std::size_t size) {
    constexpr std::size_t kLargePage = std::size_t{2} << 20;
    void* first = data;
    if (std::align(kLargePage, kLargePage, first, size) == nullptr) return;
    ::madvise(first, size / kLargePage * kLargePage, MADV_HUGEPAGE);
}

// A str of one or two bytes a character converted straight into a new str of
// two, with the GIL released: the text does not change, and the new str is
// ours until it is returned.
py::str convertNarrow(const tolvane_table* table, PyObject* text, std::size_t length) {
    auto converted =
        py::reinterpret_steal<py::str>(PyUnicode_New(static_cast<Py_ssize_t>(length), 0xFFFF));
    if (!converted) throw py::error_already_set();
    auto* units = static_cast<std::uint16_t*>(PyUnicode_DATA(converted.ptr()));
    preferLargePages(units, length * 2);
    const void* data = PyUnicode_DATA(text);
    const bool latin1 = PyUnicode_KIND(text) == PyUnicode_1BYTE_KIND;
    tolvane_error* failure = nullptr;
    tolvane_status status = TOLVANE_OK;
    {
        const py::gil_scoped_release released;
        const auto* input = static_cast<const std::uint16_t*>(data);
        if (latin1) {
            const auto* bytes = static_cast<const Py_UCS1*>(data);
            std::copy(bytes, bytes + length, units);
            input = units;
        }
        status = tolvane_convert_utf16(table, input, length, units, &failure);
    }
    check(status, OwnedError(failure));
    // Python keeps every str in its narrowest form.
    if (std::any_of(units, units + length, [](std::uint16_t unit) { return unit > 0xFF; }))
        return converted;
    PyObject* narrowed =
        PyUnicode_FromKindAndData(PyUnicode_2BYTE_KIND, units, static_cast<Py_ssize_t>(length));
    if (narrowed == nullptr) throw py::error_already_set();
    return py::reinterpret_steal<py::str>(narrowed);
}

// A str with characters beyond U+FFFF: those take two units, which no table
// entry and no phrase rule touch, and are taken back whole.
py::str convertWide(const tolvane_table* table, PyObject* text, std::size_t length) {
    const auto* points = static_cast<const Py_UCS4*>(PyUnicode_DATA(text));
    std::vector<std::uint16_t> units;
    units.reserve(length * 2);
    for (std::size_t i = 0; i < length; ++i) {
        const Py_UCS4 point = points[i];
        if (point > 0xFFFF) {
            units.push_back(static_cast<std::uint16_t>(0xD7C0 + (point >> 10)));
            units.push_back(static_cast<std::uint16_t>(0xDC00 + (point & 0x3FF)));
        } else {
            units.push_back(static_cast<std::uint16_t>(point));
        }
    }
    tolvane_error* failure = nullptr;
    tolvane_status status = TOLVANE_OK;
    {
        const py::gil_scoped_release released;
        status = tolvane_convert_utf16(table, units.data(), units.size(), units.data(), &failure);
    }
    check(status, OwnedError(failure));
    std::vector<Py_UCS4> converted(length);
    for (std::size_t i = 0, at = 0; i < length; ++i) {
        converted[i] = points[i] > 0xFFFF ? points[i] : units[at];
        at += points[i] > 0xFFFF ? 2 : 1;
    }
    return py::reinterpret_steal<py::str>(PyUnicode_FromKindAndData(
        PyUnicode_4BYTE_KIND, converted.data(), static_cast<Py_ssize_t>(length)));
}

// The bytes of any object that offers them in one piece (bytes, bytearray,
// memoryview, mmap), held while the GIL is released.
class ContiguousBytes {
  public:
    explicit ContiguousBytes(const py::buffer& data) {
        if (PyObject_GetBuffer(data.ptr(), &view_, PyBUF_SIMPLE) != 0)
            throw py::error_already_set();
    }
    ContiguousBytes(const ContiguousBytes&) = delete;
    ContiguousBytes& operator=(const ContiguousBytes&) = delete;
    ~ContiguousBytes() { PyBuffer_Release(&view_); }
    const void* data() const { return view_.buf; }
    std::size_t size() const { return static_cast<std::size_t>(view_.len); }

  private:
    Py_buffer view_{};
};

const char* optionalText(const std::optional<std::string>& text) {
    return text ? text->c_str() : nullptr;
}

} // namespace

py::str convertText(const tolvane_table* table, const py::str& text) {
    PyObject* object = text.ptr();
    const auto length = static_cast<std::size_t>(PyUnicode_GET_LENGTH(object));
    if (length == 0) return text;
    if (PyUnicode_KIND(object) == PyUnicode_4BYTE_KIND) return convertWide(table, object, length);
    return convertNarrow(table, object, length);
}

py::bytes convertBytes(const tolvane_table* table, const py::buffer& data,
                       const std::string& encoding, const std::optional<std::string>& to) {
    const ContiguousBytes input(data);
    const std::size_t capacity = TOLVANE_OUTPUT_BOUND(input.size());
    PyObject* output = PyBytes_FromStringAndSize(nullptr, static_cast<Py_ssize_t>(capacity));
    if (output == nullptr) throw py::error_already_set();
    preferLargePages(PyBytes_AS_STRING(output), capacity);
    std::size_t outputSize = 0;
    tolvane_error* failure = nullptr;
    tolvane_status status = TOLVANE_OK;
    {
        const py::gil_scoped_release released;
        status = tolvane_convert_buffer(table, encoding.c_str(), optionalText(to), input.data(),
                                        input.size(), PyBytes_AS_STRING(output), capacity,
                                        &outputSize, nullptr, &failure);
    }
    if (status == TOLVANE_OK && _PyBytes_Resize(&output, static_cast<Py_ssize_t>(outputSize)) == 0)
        return py::reinterpret_steal<py::bytes>(output);
    Py_XDECREF(output); // NULL when the resize failed
    check(status, OwnedError(failure));
    throw py::error_already_set();
}

} // namespace tolvane::python
