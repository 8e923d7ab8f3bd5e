#pragma once
// Text and bytes through a table, the GIL released while converting.

#include "tolvane.h"

#include <optional>
#include <pybind11/pybind11.h>
#include <string>

namespace tolvane::python {

namespace py = pybind11;

py::str convertText(const tolvane_table* table, const py::str& text);

py::bytes convertBytes(const tolvane_table* table, const py::buffer& data,
                       const std::string& encoding, const std::optional<std::string>& to);

} // namespace tolvane::python
