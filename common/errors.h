// The error model: one error type carrying the host's error number and its
// description. The platform layer throws it; only the procedures that arm an
// error trap catch it, and the form runtime catches whatever is left at the
// boundary of every event.
#pragma once

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>

namespace pravex {

// An error number of the host with the host's own text for it. It stands for
// its number wherever a number is expected.
struct KnownError {
  int number;
  std::wstring_view description;
  constexpr operator int() const noexcept { return number; }
};

// The errors the program knows, ordered by number: each row is named here,
// and kKnownErrors below lists them for the look-up by number.
namespace error {
inline constexpr KnownError kInvalidProcedureCall{5, L"Invalid procedure call or argument"};
inline constexpr KnownError kOverflow{6, L"Overflow"};
inline constexpr KnownError kOutOfMemory{7, L"Out of memory"};
inline constexpr KnownError kSubscriptOutOfRange{9, L"Subscript out of range"};
inline constexpr KnownError kTypeMismatch{13, L"Type mismatch"};
inline constexpr KnownError kErrorLoadingDll{48, L"Error in loading DLL"};
inline constexpr KnownError kInternalError{51, L"Internal error"};
inline constexpr KnownError kBadFileName{52, L"Bad file name or number"};
inline constexpr KnownError kFileNotFound{53, L"File not found"};
inline constexpr KnownError kBadFileMode{54, L"Bad file mode"};
inline constexpr KnownError kFileAlreadyOpen{55, L"File already open"};
inline constexpr KnownError kDeviceIoError{57, L"Device I/O error"};
inline constexpr KnownError kDiskFull{61, L"Disk full"};
inline constexpr KnownError kInputPastEndOfFile{62, L"Input past end of file"};
inline constexpr KnownError kTooManyFiles{67, L"Too many files"};
inline constexpr KnownError kDeviceUnavailable{68, L"Device unavailable"};
inline constexpr KnownError kPermissionDenied{70, L"Permission denied"};
inline constexpr KnownError kDiskNotReady{71, L"Disk not ready"};
inline constexpr KnownError kPathFileAccessError{75, L"Path/File access error"};
inline constexpr KnownError kPathNotFound{76, L"Path not found"};
inline constexpr KnownError kObjectNotSet{91, L"Object variable or With block variable not set"};
inline constexpr KnownError kCannotCreateObject{429, L"ActiveX component can't create object"};
inline constexpr KnownError kDllFunctionNotFound{453, L"Specified DLL function not found"};
inline constexpr KnownError kCancelSelected{32755, L"Cancel was selected."};
}  // namespace error

inline constexpr KnownError kKnownErrors[] = {
    error::kInvalidProcedureCall,
    error::kOverflow,
    error::kOutOfMemory,
    error::kSubscriptOutOfRange,
    error::kTypeMismatch,
    error::kErrorLoadingDll,
    error::kInternalError,
    error::kBadFileName,
    error::kFileNotFound,
    error::kBadFileMode,
    error::kFileAlreadyOpen,
    error::kDeviceIoError,
    error::kDiskFull,
    error::kInputPastEndOfFile,
    error::kTooManyFiles,
    error::kDeviceUnavailable,
    error::kPermissionDenied,
    error::kDiskNotReady,
    error::kPathFileAccessError,
    error::kPathNotFound,
    error::kObjectNotSet,
    error::kCannotCreateObject,
    error::kDllFunctionNotFound,
    error::kCancelSelected,
};
static_assert(std::ranges::adjacent_find(kKnownErrors, std::ranges::greater_equal{},
                                         &KnownError::number) == std::end(kKnownErrors),
              "the known errors are listed once each, by rising number");

// The host's own text for an error number; "Application-defined or
// object-defined error" for numbers it has no text for.
std::wstring_view ErrorDescription(int number);

// Number and description of an error, in the host's terms.
struct ErrorInfo {
  int number;
  std::wstring description;
};

// "N: description", as every message and trace line about an error says it.
std::wstring ErrorText(const ErrorInfo& error);

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

// The error in flight, in the host's terms: a HostError as it is, running out
// of memory as error 7, anything else as an internal error carrying the
// exception's text.
ErrorInfo CurrentErrorInfo();

}  // namespace pravex
