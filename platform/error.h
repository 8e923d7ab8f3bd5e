#pragma once
// The program's one error type: a number and a description that travel up to
// the caller, which either handles the error or passes it on.

#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>

namespace tolvane {

// Error numbers of the file system, as the job tells them apart.
enum ErrorNumber : std::int32_t {
    kFileNotFound = 53,
    kFileExists = 58,
    kDiskFull = 61,
    kPermissionDenied = 70,
    kPathNotFound = 76,
    kIoError = 57,
    kFileTooLarge = 7,
    kInvalidPath = 52,
    kSystemError = 51,
    kFileBusy = 55,
    kNotRegularFile = 75,
    // The application range 0x80040000 plus 3: the settings file could not be
    // written.
    kIniWriteFailed = static_cast<std::int32_t>(0x80040003),
};

class Error : public std::runtime_error {
  public:
    Error(std::int32_t number, std::u16string description);

    std::int32_t number() const { return number_; }
    const std::u16string& description() const { return description_; }

  private:
    std::int32_t number_;
    std::u16string description_;
};

// The description of whatever was thrown: an Error's own, else the standard
// exception's text, so that every failure can be shown with its cause.
std::u16string describeException(const std::exception_ptr& exception);

// The error for a failed system call: errno mapped to a number above and a
// Chinese description, with the path it concerns when there is one.
Error systemError(int errnum, const std::u16string& path = {});

} // namespace tolvane
