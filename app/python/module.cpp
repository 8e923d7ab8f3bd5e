// The Python module tolvane: tables and conversions of the C library, its
// failures as exceptions, the GIL released while converting so that threads
// convert at once, and tables that pickle by name so that other processes
// (multiprocessing, Dask, Spark) open their own.

#include "failures.h"
#include "files.h"
#include "text.h"

#include <memory>
#include <pybind11/stl.h>

namespace tolvane::python {

namespace {

class Table {
  public:
    // table: a name as tables() lists it, or a path (str, bytes, os.PathLike).
    Table(const py::object& table, bool charactersOnly) : Table(table, table, charactersOnly) {}

    // Back from a pickle: the file it was read from when that file is there,
    // else the table of its name where it is unpickled.
    static Table restored(const py::tuple& state) {
        const auto name = state[0].cast<py::object>();
        const auto path = state[1].cast<py::object>();
        const bool exists = py::module_::import("os.path").attr("isfile")(path).cast<bool>();
        return {name, exists ? path : name, state[2].cast<bool>()};
    }
    py::tuple state() const { return py::make_tuple(name_, path(), charactersOnly_); }

    const py::object& name() const { return name_; }
    py::str path() const { return pathText(tolvane_table_path(handle_.get())); }
    bool charactersOnly() const { return charactersOnly_; }
    std::size_t phraseCount() const { return tolvane_table_phrases(handle_.get()); }
    const tolvane_table* handle() const { return handle_.get(); }

  private:
    Table(const py::object& name, const py::object& file, bool charactersOnly)
        : name_(py::module_::import("os").attr("fsdecode")(name)), charactersOnly_(charactersOnly) {
        const std::string bytes = pathBytes(file);
        tolvane_table* opened = nullptr;
        tolvane_error* failure = nullptr;
        tolvane_status status = TOLVANE_OK;
        {
            const py::gil_scoped_release released;
            status = tolvane_table_open(bytes.c_str(), charactersOnly ? TOLVANE_CHARACTERS_ONLY : 0,
                                        &opened, &failure);
        }
        check(status, OwnedError(failure));
        handle_.reset(opened, tolvane_table_free);
        if (tolvane_table_maps_nothing(opened) != 0)
            PyErr_WarnEx(PyExc_RuntimeWarning,
                         (path().cast<std::string>() + ": 对照表没有任何有效的对照行").c_str(), 1);
    }

    py::object name_;
    bool charactersOnly_;
    std::shared_ptr<tolvane_table> handle_;
};

FileResult convertFile(const Table& table, const py::object& path,
                       const std::optional<std::string>& encoding,
                       const std::optional<std::string>& to) {
    FileResult result = convertFiles(table.handle(), py::make_tuple(path), encoding, to).front();
    if (!result.error.is_none()) {
        PyErr_SetObject(result.error.get_type().ptr(), result.error.ptr());
        throw py::error_already_set();
    }
    return result;
}

std::vector<py::str> tableNames() {
    std::vector<std::string> names;
    tolvane_error* failure = nullptr;
    const auto visit = [](const char* name, const char* /*path*/, void* context) {
        static_cast<std::vector<std::string>*>(context)->emplace_back(name);
    };
    check(tolvane_list_tables(visit, &names, &failure), OwnedError(failure));
    std::vector<py::str> listed;
    listed.reserve(names.size());
    for (const std::string& name : names)
        listed.push_back(pathText(name));
    return listed;
}

} // namespace

} // namespace tolvane::python

using namespace tolvane::python;
using namespace pybind11::literals;

PYBIND11_MODULE(tolvane, module) {
    module.doc() = "Chinese text through a Tolvane mapping table.";
    module.attr("__version__") = tolvane_version();
    addExceptions(module);
    module.def("tables", &tableNames,
               "The tables found, as tolvane-cli -l lists them: the file names, sorted.");

    py::class_<FileResult>(module, "FileResult", "One file's conversion.")
        .def_readonly("path", &FileResult::path)
        .def_readonly("encoding", &FileResult::encoding, "The encoding it was read in.")
        .def_readonly("backup", &FileResult::backup, "Where the original is, when not at path.")
        .def_readonly("error", &FileResult::error, "Why it was not converted, or None.")
        .def_property_readonly("ok",
                               [](const FileResult& result) { return result.error.is_none(); })
        .def("__repr__", [](const FileResult& result) {
            return py::str("FileResult(path={!r}, encoding={!r}, backup={!r}, error={!r})")
                .format(result.path, result.encoding, result.backup, result.error);
        });

    py::class_<Table>(module, "Table",
                      "A mapping table, with its phrase rules unless told otherwise.")
        .def(py::init<const py::object&, bool>(), "table"_a, "characters_only"_a = false)
        .def_property_readonly("name", &Table::name, "The name or path it was opened by.")
        .def_property_readonly("path", &Table::path, "The file it was read from.")
        .def_property_readonly("characters_only", &Table::charactersOnly)
        .def_property_readonly("phrase_count", &Table::phraseCount)
        .def(
            "convert",
            [](const Table& table, const py::str& text) {
                return convertText(table.handle(), text);
            },
            "text"_a, "The text converted.")
        .def(
            "convert_bytes",
            [](const Table& table, const py::buffer& data, const std::string& encoding,
               const std::optional<std::string>& to) {
                return convertBytes(table.handle(), data, encoding, to);
            },
            "data"_a, "encoding"_a = "auto", "to"_a = py::none(),
            "A text's bytes converted, as a file's contents are: written in the encoding read.")
        .def("convert_file", &convertFile, "path"_a, "encoding"_a = py::none(), "to"_a = py::none(),
             "Converts the file in place, its original kept in a backup folder beside it; raises "
             "tolvane.Error (or KeyboardInterrupt) with the file back at its path.")
        .def(
            "convert_files",
            [](const Table& table, const py::iterable& paths,
               const std::optional<std::string>& encoding, const std::optional<std::string>& to) {
                return convertFiles(table.handle(), paths, encoding, to);
            },
            "paths"_a, "encoding"_a = py::none(), "to"_a = py::none(),
            "Converts the files in place, flushed together: a FileResult for each, failures "
            "included.")
        .def("__repr__",
             [](const Table& table) {
                 return py::str("tolvane.Table({!r}, characters_only={})")
                     .format(table.name(), table.charactersOnly());
             })
        .def(py::pickle([](const Table& table) { return table.state(); },
                        [](const py::tuple& state) { return Table::restored(state); }));
}
