#pragma once
// Failures on their way to a C caller: every call runs its body through
// guarded(), so no exception crosses the library's boundary, and the caller
// gets a status and, when it asks, a tolvane_error.

#include "tolvane.h"

#include <cstdint>
#include <exception>
#include <string>

struct tolvane_error {
    tolvane_status code;
    std::int32_t number;
    std::string message;
};

namespace tolvane::lib {

// A failure the library itself decides on: a bad argument, an unknown table.
class Failure : public std::exception {
  public:
    Failure(tolvane_status code, std::string message) : code_(code), message_(std::move(message)) {}
    tolvane_status code() const { return code_; }
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    tolvane_status code_;
    std::string message_;
};

// Throws Failure(TOLVANE_ERROR_ARGUMENT) when the pointer is NULL.
void require(const void* pointer, const char* what);

// The status and description of a thrown exception, as the caller gets them.
tolvane_error describe(const std::exception_ptr& exception);

// The exception's status; its description goes to the caller when it asked
// for one.
tolvane_status report(tolvane_error** error, const std::exception_ptr& exception) noexcept;

// Runs body; a thrown exception becomes its status (and error).
template <typename Body> tolvane_status guarded(tolvane_error** error, Body body) noexcept {
    if (error != nullptr) *error = nullptr;
    try {
        body();
        return TOLVANE_OK;
    } catch (...) {
        return report(error, std::current_exception());
    }
}

} // namespace tolvane::lib
