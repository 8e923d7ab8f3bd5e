#include "app/lib/errors.h"

#include "engine/textfile.h"
#include "platform/error.h"
#include "platform/utf8.h"

#include <new>

namespace tolvane::lib {

namespace {

// The error given when not even an error can be made; never freed. Its
// message fits in the string itself, so making it needs no memory.
tolvane_error& outOfMemory() {
    static tolvane_error error{TOLVANE_ERROR_MEMORY, 0, "内存不足。"};
    return error;
}

// The engine's errors by number: the file system's, and the program's own.
tolvane_status statusOf(std::int32_t number) {
    if (number == kNotText) return TOLVANE_ERROR_NOT_TEXT;
    if (number == kCannotEncode) return TOLVANE_ERROR_UNREPRESENTABLE;
    return TOLVANE_ERROR_FILE;
}

} // namespace

// The numbers tolvane.h publishes are the engine's.
constexpr bool same(int published, std::int32_t engine) {
    return published == engine;
}
static_assert(same(TOLVANE_FILE_TOO_LARGE, kFileTooLarge) &&
              same(TOLVANE_FILE_SYSTEM_ERROR, kSystemError) &&
              same(TOLVANE_FILE_INVALID_PATH, kInvalidPath) &&
              same(TOLVANE_FILE_NOT_FOUND, kFileNotFound) && same(TOLVANE_FILE_BUSY, kFileBusy) &&
              same(TOLVANE_FILE_IO_ERROR, kIoError) && same(TOLVANE_FILE_EXISTS, kFileExists) &&
              same(TOLVANE_FILE_DISK_FULL, kDiskFull) &&
              same(TOLVANE_FILE_PERMISSION_DENIED, kPermissionDenied) &&
              same(TOLVANE_FILE_NOT_REGULAR, kNotRegularFile) &&
              same(TOLVANE_FILE_PATH_NOT_FOUND, kPathNotFound));

void require(const void* pointer, const char* what) {
    if (pointer == nullptr)
        throw Failure(TOLVANE_ERROR_ARGUMENT, std::string(what) + " 不能是 NULL");
}

tolvane_error describe(const std::exception_ptr& exception) {
    try {
        std::rethrow_exception(exception);
    } catch (const Failure& failure) {
        return {failure.code(), 0, failure.what()};
    } catch (const Error& error) {
        const tolvane_status code = statusOf(error.number());
        return {code, code == TOLVANE_ERROR_FILE ? error.number() : 0, toUtf8(error.description())};
    } catch (const std::bad_alloc&) {
        return outOfMemory();
    } catch (const std::exception& other) {
        return {TOLVANE_ERROR_INTERNAL, 0, other.what()};
    } catch (...) {
        return {TOLVANE_ERROR_INTERNAL, 0, "未知的错误"};
    }
}

tolvane_status report(tolvane_error** error, const std::exception_ptr& exception) noexcept {
    try {
        tolvane_error failure = describe(exception);
        const tolvane_status code = failure.code;
        if (error != nullptr) *error = new tolvane_error(std::move(failure));
        return code;
    } catch (...) { // no memory left for the description
        if (error != nullptr) *error = &outOfMemory();
        return TOLVANE_ERROR_MEMORY;
    }
}

} // namespace tolvane::lib

using tolvane::lib::outOfMemory;

extern "C" {

tolvane_status tolvane_error_code(const tolvane_error* error) noexcept {
    return error == nullptr ? TOLVANE_OK : error->code;
}

std::int32_t tolvane_error_number(const tolvane_error* error) noexcept {
    return error == nullptr ? 0 : error->number;
}

const char* tolvane_error_message(const tolvane_error* error) noexcept {
    return error == nullptr ? "" : error->message.c_str();
}

void tolvane_error_free(tolvane_error* error) noexcept {
    if (error != &outOfMemory()) delete error;
}

} // extern "C"
