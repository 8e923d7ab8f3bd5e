#include "failures.h"

#include <cerrno>

namespace tolvane::python {

namespace {

struct Classes {
    py::handle error, table, encoding, file, notRestored, notText, unrepresentable;
};
Classes classes;

py::handle makeClass(py::module_& module, const char* name, const char* doc, py::tuple bases) {
    const std::string qualified = std::string("tolvane.") + name;
    PyObject* made = PyErr_NewExceptionWithDoc(qualified.c_str(), doc, bases.ptr(), nullptr);
    if (made == nullptr) throw py::error_already_set();
    module.add_object(name, py::handle(made)); // the module keeps it for good
    return made;
}

// The errno an OSError carries for the library's file error numbers.
py::object errnoOf(std::int32_t number) {
    switch (number) {
    case TOLVANE_FILE_NOT_FOUND:
    case TOLVANE_FILE_PATH_NOT_FOUND:
        return py::int_(ENOENT);
    case TOLVANE_FILE_EXISTS:
        return py::int_(EEXIST);
    case TOLVANE_FILE_DISK_FULL:
        return py::int_(ENOSPC);
    case TOLVANE_FILE_PERMISSION_DENIED:
        return py::int_(EACCES);
    case TOLVANE_FILE_IO_ERROR:
        return py::int_(EIO);
    case TOLVANE_FILE_TOO_LARGE:
        return py::int_(EFBIG);
    case TOLVANE_FILE_INVALID_PATH:
        return py::int_(EINVAL);
    case TOLVANE_FILE_BUSY:
        return py::int_(EBUSY);
    default:
        return py::none();
    }
}

} // namespace

void addExceptions(py::module_& module) {
    const py::handle exception = PyExc_Exception;
    classes.error = makeClass(module, "Error", "A conversion failed: code and number say why.",
                              py::make_tuple(exception));
    classes.table = makeClass(module, "TableError", "No such table, or its file is unusable.",
                              py::make_tuple(classes.error));
    classes.encoding =
        makeClass(module, "EncodingError", "An encoding that is not known or cannot be written.",
                  py::make_tuple(classes.error, py::handle(PyExc_LookupError)));
    classes.file = makeClass(module, "FileError",
                             "The file system refused; errno and filename as OSError has them.",
                             py::make_tuple(classes.error, py::handle(PyExc_OSError)));
    classes.notRestored = makeClass(
        module, "NotRestoredError",
        "Failed, and the original could not be put back: it is in its backup folder (backup).",
        py::make_tuple(classes.file));
    classes.notText = makeClass(module, "NotTextError", "Not a text file: left alone.",
                                py::make_tuple(classes.error));
    classes.unrepresentable =
        makeClass(module, "UnrepresentableError",
                  "The output encoding cannot hold the converted text: nothing was written.",
                  py::make_tuple(classes.error));
}

py::object exceptionFor(tolvane_status status, const tolvane_error* error, const std::string& path,
                        const char* backup) {
    const py::str message(error != nullptr ? tolvane_error_message(error) : "未转换");
    const py::object filename = path.empty() ? py::object(py::none()) : pathText(path);
    py::object raised;
    switch (status) {
    case TOLVANE_ERROR_ARGUMENT:
        return py::handle(PyExc_ValueError)(message);
    case TOLVANE_ERROR_MEMORY:
        return py::handle(PyExc_MemoryError)(message);
    case TOLVANE_ERROR_TABLE:
        raised = classes.table(message);
        break;
    case TOLVANE_ERROR_ENCODING:
        raised = classes.encoding(message);
        break;
    case TOLVANE_ERROR_FILE:
        raised = classes.file(errnoOf(tolvane_error_number(error)), message, filename);
        break;
    case TOLVANE_ERROR_NOT_RESTORED:
        raised = classes.notRestored(py::none(), message, filename);
        break;
    case TOLVANE_ERROR_NOT_TEXT:
        raised = classes.notText(message);
        break;
    case TOLVANE_ERROR_UNREPRESENTABLE:
        raised = classes.unrepresentable(message);
        break;
    default:
        raised = classes.error(message);
        break;
    }
    raised.attr("code") = static_cast<int>(status);
    raised.attr("number") = tolvane_error_number(error);
    raised.attr("path") = filename;
    raised.attr("backup") = *backup == '\0' ? py::object(py::none()) : pathText(backup);
    return raised;
}

void check(tolvane_status status, const OwnedError& error) {
    if (status == TOLVANE_OK) return;
    const py::object raised = exceptionFor(status, error.get());
    PyErr_SetObject(raised.get_type().ptr(), raised.ptr());
    throw py::error_already_set();
}

std::string pathBytes(const py::handle& path) {
    return py::module_::import("os").attr("fsencode")(path).cast<std::string>();
}

py::str pathText(const std::string& bytes) {
    return py::module_::import("os").attr("fsdecode")(py::bytes(bytes));
}

} // namespace tolvane::python
