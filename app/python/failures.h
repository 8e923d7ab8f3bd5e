#pragma once
// The library's failures as Python exceptions: tolvane.Error and the classes
// below it, each with the library's code and number.

#include "tolvane.h"

#include <memory>
#include <pybind11/pybind11.h>
#include <string>

namespace tolvane::python {

namespace py = pybind11;

struct ErrorDeleter {
    void operator()(tolvane_error* error) const { tolvane_error_free(error); }
};
using OwnedError = std::unique_ptr<tolvane_error, ErrorDeleter>;

// Makes the exception classes and adds them to the module.
void addExceptions(py::module_& module);

// The exception for a failed call; path is the file's (file system bytes),
// backup where its original is, when not at its path.
py::object exceptionFor(tolvane_status status, const tolvane_error* error,
                        const std::string& path = {}, const char* backup = "");

// Raises the exception of a failed call; nothing for TOLVANE_OK.
void check(tolvane_status status, const OwnedError& error);

// A path argument (str, bytes or os.PathLike) as the file system's bytes,
// which the library takes as they are; and back.
std::string pathBytes(const py::handle& path);
py::str pathText(const std::string& bytes);

} // namespace tolvane::python
