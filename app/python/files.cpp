#include "files.h"

#include "failures.h"

#include <memory>

namespace tolvane::python {

namespace {

// Asked by the library after every MiB: a signal's handler (Ctrl-C) raised
// an exception, which is kept until the call is back.
class SignalCheck {
  public:
    static int stop(void* context) {
        auto& check = *static_cast<SignalCheck*>(context);
        const py::gil_scoped_acquire held;
        if (PyErr_CheckSignals() == 0) return 0;
        PyErr_Fetch(&check.type_, &check.value_, &check.traceback_);
        return 1;
    }
    // Raises what the handler raised, if anything.
    void raise() {
        if (type_ == nullptr) return;
        PyErr_Restore(type_, value_, traceback_);
        type_ = value_ = traceback_ = nullptr;
        throw py::error_already_set();
    }

  private:
    PyObject* type_ = nullptr;
    PyObject* value_ = nullptr;
    PyObject* traceback_ = nullptr;
};

const char* optionalText(const std::optional<std::string>& text) {
    return text ? text->c_str() : nullptr;
}

} // namespace

std::vector<FileResult> convertFiles(const tolvane_table* table, const py::iterable& paths,
                                     const std::optional<std::string>& encoding,
                                     const std::optional<std::string>& to) {
    std::vector<std::string> bytes;
    for (const py::handle path : paths)
        bytes.push_back(pathBytes(path));
    std::vector<const char*> names;
    names.reserve(bytes.size());
    for (const std::string& name : bytes)
        names.push_back(name.c_str());
    auto results = std::make_unique<tolvane_file_result[]>(names.size());
    std::vector<tolvane_error*> errors(names.size());
    SignalCheck signals;
    const tolvane_file_options options{optionalText(encoding), optionalText(to), &SignalCheck::stop,
                                       &signals};
    {
        const py::gil_scoped_release released;
        tolvane_convert_files(table, names.data(), names.size(), &options, results.get(),
                              errors.data());
    }
    std::vector<FileResult> outcomes;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const OwnedError error(errors[i]);
        const tolvane_file_result& result = results[i];
        FileResult outcome{pathText(bytes[i]), py::none(), py::none(), py::none()};
        if (result.encoding != nullptr) outcome.encoding = py::str(result.encoding);
        if (result.backup_path[0] != '\0') outcome.backup = pathText(result.backup_path);
        if (result.status != TOLVANE_OK)
            outcome.error = exceptionFor(result.status, error.get(), bytes[i], result.backup_path);
        outcomes.push_back(std::move(outcome));
    }
    signals.raise();
    return outcomes;
}

} // namespace tolvane::python
