#pragma once
// Files converted in place, with the library's safety rules; a Ctrl-C puts
// the file at hand back and raises KeyboardInterrupt.

#include "tolvane.h"

#include <optional>
#include <pybind11/pybind11.h>
#include <string>
#include <vector>

namespace tolvane::python {

namespace py = pybind11;

// One file's outcome: what was read, where the original is, or why not.
struct FileResult {
    py::object path;
    py::object encoding; // str, None when not converted
    py::object backup;   // str, None when the original is at its path
    py::object error;    // the exception, None when converted
};

// Every file, failures included; raises only for bad arguments and Ctrl-C.
std::vector<FileResult> convertFiles(const tolvane_table* table, const py::iterable& paths,
                                     const std::optional<std::string>& encoding,
                                     const std::optional<std::string>& to);

} // namespace tolvane::python
