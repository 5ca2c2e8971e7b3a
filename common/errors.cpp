#include "common/errors.h"

#include <exception>
#include <new>

namespace pravex {

namespace {

std::string Narrow(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

std::wstring Described(const KnownError& known) {
  return std::wstring(known.description);
}

}  // namespace

std::wstring_view ErrorDescription(int number) {
  const auto known = std::ranges::lower_bound(kKnownErrors, number, {}, &KnownError::number);
  if (known != std::end(kKnownErrors) && known->number == number) return known->description;
  return L"Application-defined or object-defined error";
}

std::wstring ErrorText(const ErrorInfo& error) {
  return std::to_wstring(error.number) + L": " + error.description;
}

HostError::HostError(int number) : HostError(number, std::wstring(ErrorDescription(number))) {}

HostError::HostError(int number, std::wstring description)
    : std::runtime_error(Narrow(ErrorText({number, description}))),
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
    return {error::kOutOfMemory, Described(error::kOutOfMemory)};
  } catch (const std::exception& e) {
    std::wstring text = Described(error::kInternalError);
    text += L" (";
    for (const char* p = e.what(); *p; ++p) text.push_back(static_cast<unsigned char>(*p));
    text += L")";
    return {error::kInternalError, text};
  } catch (...) {
    return {error::kInternalError, Described(error::kInternalError)};
  }
}

}  // namespace pravex
