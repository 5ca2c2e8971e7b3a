// The error model: one error type carrying the host's error number and its
// description. The platform layer throws it; only the procedures that arm an
// error trap catch it, and the form runtime catches whatever is left at the
// boundary of every event.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace pravex {

namespace error {
inline constexpr int kOverflow = 6;
inline constexpr int kOutOfMemory = 7;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kInternalError = 51;
inline constexpr int kBadFileName = 52;
inline constexpr int kFileNotFound = 53;
inline constexpr int kBadFileMode = 54;
inline constexpr int kFileAlreadyOpen = 55;
inline constexpr int kDiskFull = 61;
inline constexpr int kInputPastEndOfFile = 62;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kDiskNotReady = 71;
inline constexpr int kPathFileAccessError = 75;
inline constexpr int kPathNotFound = 76;
inline constexpr int kObjectNotSet = 91;
inline constexpr int kInvalidProcedureCall = 5;
inline constexpr int kCancelSelected = 32755;
}  // namespace error

// The host's own text for an error number; "Application-defined or
// object-defined error" for numbers it has no text for.
std::wstring_view ErrorDescription(int number);

class HostError : public std::runtime_error {
 public:
  explicit HostError(int number);
  HostError(int number, std::wstring description);

  int Number() const noexcept { return number_; }
  const std::wstring& Description() const noexcept { return description_; }

 private:
  int number_;
  std::wstring description_;
};

[[noreturn]] void Raise(int number);

// Number and description of whatever exception is in flight, in the host's
// terms: a HostError as it is, running out of memory as error 7, anything else
// as an internal error carrying the exception's text.
struct ErrorInfo {
  int number;
  std::wstring description;
};
ErrorInfo CurrentErrorInfo();

}  // namespace pravex
