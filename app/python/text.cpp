#include "text.h"

#include "failures.h"

#include <memory>
#include <vector>

namespace tolvane::python {

namespace {

// Units of a str of one or two bytes a character, converted with the GIL
// released: the str does not change, and the units are ours.
std::unique_ptr<std::uint16_t[]> convertedUnits(const tolvane_table* table, PyObject* text,
                                                 std::size_t length) {
    std::unique_ptr<std::uint16_t[]> units(new std::uint16_t[length]);
    const void* data = PyUnicode_DATA(text);
    const bool narrow = PyUnicode_KIND(text) == PyUnicode_1BYTE_KIND;
    tolvane_error* failure = nullptr;
    tolvane_status status = TOLVANE_OK;
    {
        const py::gil_scoped_release released;
        const auto* input = static_cast<const std::uint16_t*>(data);
        if (narrow) {
            const auto* latin1 = static_cast<const Py_UCS1*>(data);
            std::copy(latin1, latin1 + length, units.get());
            input = units.get();
        }
        status = tolvane_convert_utf16(table, input, length, units.get(), &failure);
    }
    check(status, OwnedError(failure));
    return units;
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
    return py::reinterpret_steal<py::str>(
        PyUnicode_FromKindAndData(PyUnicode_4BYTE_KIND, converted.data(),
                                  static_cast<Py_ssize_t>(length)));
}

// The bytes of any object that offers them in one piece (bytes, bytearray,
// memoryview, mmap), held while the GIL is released.
class ContiguousBytes {
  public:
    explicit ContiguousBytes(const py::buffer& data) {
        if (PyObject_GetBuffer(data.ptr(), &view_, PyBUF_SIMPLE) != 0) throw py::error_already_set();
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
    if (PyUnicode_KIND(object) == PyUnicode_4BYTE_KIND) return convertWide(table, object, length);
    const auto units = convertedUnits(table, object, length);
    // Python keeps each str in its narrowest form: this finds it.
    PyObject* made = PyUnicode_FromKindAndData(PyUnicode_2BYTE_KIND, units.get(),
                                               static_cast<Py_ssize_t>(length));
    if (made == nullptr) throw py::error_already_set();
    return py::reinterpret_steal<py::str>(made);
}

py::bytes convertBytes(const tolvane_table* table, const py::buffer& data,
                       const std::string& encoding, const std::optional<std::string>& to) {
    const ContiguousBytes input(data);
    const std::size_t capacity = TOLVANE_OUTPUT_BOUND(input.size());
    PyObject* output = PyBytes_FromStringAndSize(nullptr, static_cast<Py_ssize_t>(capacity));
    if (output == nullptr) throw py::error_already_set();
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
