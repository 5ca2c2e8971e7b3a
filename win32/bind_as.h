// The one way to take a function from a library at run time. The type is the
// system header's own declaration of the function, so a pointer of another
// signature cannot receive it and a call with wrong arguments does not
// compile:
//
//   const auto save = BindAs<decltype(::GetSaveFileNameW)>(comdlg32, "GetSaveFileNameW");
//
// Where no header at hand declares the function, declare it once as the
// system does (extern "C", its calling convention) and bind through that.
#pragma once

#include <windows.h>

#include <type_traits>

namespace pravex::win32 {

// The function `name` of `module` as a pointer of its declared type; null
// when the module is null or lacks it.
template <class Declared>
Declared* BindAs(HMODULE module, const char* name) noexcept {
  static_assert(std::is_function_v<Declared>,
                "BindAs takes the function's declared type: decltype(::Function)");
  if (!module) return nullptr;
  // Through the one function type the compiler lets any other cast from.
  return reinterpret_cast<Declared*>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

}  // namespace pravex::win32
