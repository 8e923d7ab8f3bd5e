// Files converted in place by the engine's steps, as tolvane-cli converts
// them, and put in place in groups: flushing many small files one after the
// other costs far more than converting them.

#include "app/lib/encodings.h"
#include "app/lib/errors.h"
#include "app/lib/table_handle.h"
#include "engine/file_steps.h"
#include "platform/utf8.h"

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace tolvane::lib {

namespace {

// Enough files to share the flushes; little enough data to keep it cheap to redo.
constexpr std::size_t kMostFiles = 64;
constexpr std::uintmax_t kMostBytes = std::uintmax_t{64} << 20;

struct Options {
    Encoding encoding;
    Encoding output = Encoding::Auto;
    std::function<bool()> stop;
};

Options optionsOf(const tolvane_file_options* given) {
    const tolvane_file_options none{};
    const tolvane_file_options& chosen = given != nullptr ? *given : none;
    const tolvane_stop_function stop = chosen.stop;
    void* const context = chosen.stop_context;
    return {inputEncoding(chosen.encoding), outputEncoding(chosen.output_encoding),
            [stop, context] { return stop != nullptr && stop(context) != 0; }};
}

std::uintmax_t sizeOf(const std::u16string& path) {
    std::error_code failed;
    const std::uintmax_t size = std::filesystem::file_size(std::filesystem::path(path), failed);
    return failed ? 0 : size;
}

std::string described(const std::exception_ptr& exception) {
    return describe(exception).message;
}

// What the caller gets for each file.
class Outcomes {
  public:
    Outcomes(tolvane_file_result* results, tolvane_error** errors, std::size_t count)
        : results_(results), errors_(errors) {
        // A file stays "not converted" until it is in place.
        for (std::size_t i = 0; i < count; ++i) {
            results_[i].status = TOLVANE_ERROR_INTERNAL;
            results_[i].encoding = nullptr;
            results_[i].backup_path[0] = '\0';
            if (errors_ != nullptr) errors_[i] = nullptr;
        }
    }

    void converted(std::size_t index, const 文件内容转换& file) {
        results_[index].status = TOLVANE_OK;
        results_[index].encoding = nameOf(file.编码());
        keepBackupPath(index, file.备份路径());
    }
    void failed(std::size_t index, const std::exception_ptr& failure,
                const std::u16string& original = {}) {
        results_[index].status = report(errors_ == nullptr ? nullptr : &errors_[index], failure);
        keepBackupPath(index, original);
        if (first_ == TOLVANE_OK) first_ = results_[index].status;
    }
    tolvane_status first() const { return first_; }

  private:
    // A path that does not fit is left out rather than cut.
    void keepBackupPath(std::size_t index, const std::u16string& path) {
        const std::string bytes = toUtf8(path);
        if (bytes.size() >= TOLVANE_PATH_SIZE) return;
        std::memcpy(results_[index].backup_path, bytes.c_str(), bytes.size() + 1);
    }

    tolvane_file_result* results_;
    tolvane_error** errors_;
    tolvane_status first_ = TOLVANE_OK;
};

class Batch {
  public:
    Batch(const 内码对照表& table, const Options& options, Outcomes& outcomes)
        : table_(table), options_(options), outcomes_(outcomes) {
        waiting_.reserve(kMostFiles);
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;
    // Puts back what was never put in place.
    ~Batch() {
        for (Waiting& waiting : waiting_)
            putBack(waiting.index, *waiting.file,
                    std::make_exception_ptr(Failure(TOLVANE_ERROR_INTERNAL, "转换没有完成")));
    }

    // Converts the file into its temporary file; false when told to stop.
    bool convert(std::size_t index, const char* path) {
        try {
            require(path, "path");
        } catch (...) {
            outcomes_.failed(index, std::current_exception());
            return true;
        }
        auto file = std::make_unique<文件内容转换>(table_, fromUtf8(path), options_.encoding,
                                                   options_.output);
        try {
            file->移入备份();
        } catch (...) {
            outcomes_.failed(index, std::current_exception());
            return true;
        }
        try {
            file->读出();
            if (file->转换(options_.stop)) {
                putBack(index, *file, std::make_exception_ptr(stopped()));
                return false;
            }
        } catch (...) {
            putBack(index, *file, std::current_exception());
            return true;
        }
        bytes_ += sizeOf(file->备份路径());
        waiting_.push_back({index, std::move(file)});
        if (waiting_.size() >= kMostFiles || bytes_ >= kMostBytes) putInPlace();
        return true;
    }

    void putInPlace() {
        std::vector<文件内容转换*> files;
        for (const Waiting& waiting : waiting_)
            files.push_back(waiting.file.get());
        const std::vector<std::exception_ptr> failures = 文件内容转换::一起写入(files);
        for (std::size_t k = 0; k < files.size(); ++k) {
            if (failures[k]) {
                putBack(waiting_[k].index, *files[k], failures[k]);
            } else {
                outcomes_.converted(waiting_[k].index, *files[k]);
            }
        }
        waiting_.clear();
        bytes_ = 0;
    }

    static Failure stopped() { return {TOLVANE_ERROR_STOPPED, "已停止，文件未转换"}; }

  private:
    struct Waiting {
        std::size_t index;
        std::unique_ptr<文件内容转换> file;
    };

    // The conversion failed: the original goes back to its path, or stays in
    // its backup folder, and the failure says where.
    void putBack(std::size_t index, 文件内容转换& file, const std::exception_ptr& failure) {
        const std::u16string backup = file.备份路径();
        try {
            file.复原();
            outcomes_.failed(index, failure);
        } catch (...) {
            const std::string why = described(failure) + "；不能放回原处，未转换的文件留在“" +
                                    toUtf8(backup) + "”。" + described(std::current_exception());
            outcomes_.failed(
                index, std::make_exception_ptr(Failure(TOLVANE_ERROR_NOT_RESTORED, why)), backup);
        }
    }

    const 内码对照表& table_;
    const Options& options_;
    Outcomes& outcomes_;
    std::vector<Waiting> waiting_;
    std::uintmax_t bytes_ = 0;
};

tolvane_status convertFiles(const tolvane_table* table, const char* const* paths, std::size_t count,
                            const tolvane_file_options* given, tolvane_file_result* results,
                            tolvane_error** errors) {
    const 内码对照表& converter = tableOf(table);
    if (count > 0) {
        require(paths, "paths");
        require(results, "results");
    }
    const Options options = optionsOf(given);
    Outcomes outcomes(results, errors, count);
    Batch batch(converter, options, outcomes);
    std::size_t next = 0;
    while (next < count && batch.convert(next, paths[next]))
        ++next;
    batch.putInPlace();
    while (++next < count)
        outcomes.failed(next, std::make_exception_ptr(Batch::stopped()));
    return outcomes.first();
}

} // namespace

} // namespace tolvane::lib

using namespace tolvane::lib;

extern "C" {

tolvane_status tolvane_convert_files(const tolvane_table* table, const char* const* paths,
                                     size_t count, const tolvane_file_options* options,
                                     tolvane_file_result* results,
                                     tolvane_error** errors) noexcept {
    tolvane_status status = TOLVANE_OK;
    const tolvane_status checked = guarded(
        nullptr, [&] { status = convertFiles(table, paths, count, options, results, errors); });
    return checked != TOLVANE_OK ? checked : status;
}

tolvane_status tolvane_convert_file(const tolvane_table* table, const char* path,
                                    const tolvane_file_options* options,
                                    tolvane_file_result* result, tolvane_error** error) noexcept {
    tolvane_file_result own{};
    tolvane_error* failure = nullptr;
    tolvane_status status = TOLVANE_OK;
    const tolvane_status checked = guarded(error, [&] {
        status =
            convertFiles(table, &path, 1, options, result != nullptr ? result : &own, &failure);
    });
    if (checked != TOLVANE_OK) return checked;
    if (error != nullptr) {
        *error = failure;
    } else {
        tolvane_error_free(failure);
    }
    return status;
}

} // extern "C"
