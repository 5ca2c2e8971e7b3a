#include "app/errors.h"

#include <exception>
#include <new>

namespace pravex {

namespace {

struct KnownError {
  int number;
  std::wstring_view description;
};

constexpr KnownError kKnownErrors[] = {
    {5, L"Invalid procedure call or argument"},
    {6, L"Overflow"},
    {7, L"Out of memory"},
    {9, L"Subscript out of range"},
    {51, L"Internal error"},
    {13, L"Type mismatch"},
    {52, L"Bad file name or number"},
    {53, L"File not found"},
    {54, L"Bad file mode"},
    {55, L"File already open"},
    {57, L"Device I/O error"},
    {61, L"Disk full"},
    {62, L"Input past end of file"},
    {67, L"Too many files"},
    {68, L"Device unavailable"},
    {70, L"Permission denied"},
    {71, L"Disk not ready"},
    {75, L"Path/File access error"},
    {76, L"Path not found"},
    {91, L"Object variable or With block variable not set"},
    {429, L"ActiveX component can't create object"},
    {32755, L"Cancel was selected."},
};

std::string Narrow(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

}  // namespace

std::wstring_view ErrorDescription(int number) {
  for (const auto& known : kKnownErrors) {
    if (known.number == number) return known.description;
  }
  return L"Application-defined or object-defined error";
}

HostError::HostError(int number) : HostError(number, std::wstring(ErrorDescription(number))) {}

HostError::HostError(int number, std::wstring description)
    : std::runtime_error(std::to_string(number) + ": " + Narrow(description)),
      number_(number),
      description_(std::move(description)) {}

void Raise(int number) {
  throw HostError(number);
}

ErrorInfo CurrentErrorInfo() {
  try {
    throw;
  } catch (const HostError& e) {
    return {e.Number(), e.Description()};
  } catch (const std::bad_alloc&) {
    return {error::kOutOfMemory, std::wstring(ErrorDescription(error::kOutOfMemory))};
  } catch (const std::exception& e) {
    std::wstring text(ErrorDescription(error::kInternalError));
    text += L" (";
    for (const char* p = e.what(); *p; ++p) text.push_back(static_cast<unsigned char>(*p));
    text += L")";
    return {error::kInternalError, text};
  } catch (...) {
    return {error::kInternalError, std::wstring(ErrorDescription(error::kInternalError))};
  }
}

}  // namespace pravex
