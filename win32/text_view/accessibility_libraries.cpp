#include "win32/text_view/accessibility_libraries.h"

#include <algorithm>

#include "win32/system_library.h"

namespace pravex::win32 {

namespace {

// Typed by the member, which names the function's declaration.
template <class Declared>
void Bind(HMODULE module, const char* name, Declared*& function) {
  function = BindAs<Declared>(module, name);
}

AccessibilityLibraries Load() {
  // From the system folder only, never from beside the program. Kept
  // loaded for the rest of the run (see the header): no handle to close.
  auto load = [](const wchar_t* name) { return LoadSystemLibrary(name).release(); };
  const HMODULE ole32 = load(L"ole32.dll");
  const HMODULE oleaut32 = load(L"oleaut32.dll");
  const HMODULE oleacc = load(L"oleacc.dll");
  const HMODULE uia = load(L"uiautomationcore.dll");

  AccessibilityLibraries l;
  Bind(ole32, "CoInitializeEx", l.CoInitializeEx);
  Bind(oleaut32, "SysAllocStringLen", l.SysAllocStringLen);
  Bind(oleaut32, "SysFreeString", l.SysFreeString);
  Bind(oleaut32, "SysStringLen", l.SysStringLen);
  Bind(oleaut32, "SafeArrayCreateVector", l.SafeArrayCreateVector);
  Bind(oleaut32, "SafeArrayPutElement", l.SafeArrayPutElement);
  Bind(oleaut32, "SafeArrayDestroy", l.SafeArrayDestroy);
  Bind(oleacc, "CreateStdAccessibleObject", l.CreateStdAccessibleObject);
  Bind(oleacc, "LresultFromObject", l.LresultFromObject);
  Bind(uia, "UiaReturnRawElementProvider", l.UiaReturnRawElementProvider);
  Bind(uia, "UiaHostProviderFromHwnd", l.UiaHostProviderFromHwnd);
  Bind(uia, "UiaRaiseAutomationEvent", l.UiaRaiseAutomationEvent);
  Bind(uia, "UiaClientsAreListening", l.UiaClientsAreListening);
  Bind(uia, "UiaGetReservedNotSupportedValue", l.UiaGetReservedNotSupportedValue);
  Bind(uia, "UiaDisconnectProvider", l.UiaDisconnectProvider);
  if (l.CoInitializeEx) l.CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  return l;
}

const AccessibilityLibraries* loaded = nullptr;

}  // namespace

const AccessibilityLibraries& LoadAccessibilityLibraries() {
  static const AccessibilityLibraries libraries = Load();
  loaded = &libraries;
  return libraries;
}

const AccessibilityLibraries* LoadedAccessibilityLibraries() {
  return loaded;
}

BSTR AllocDisplayedString(const AccessibilityLibraries& libraries, std::wstring_view text) {
  if (text.size() > 0x7FFFFFFF / sizeof(wchar_t)) return nullptr;
  BSTR out = libraries.SysAllocStringLen(nullptr, static_cast<UINT>(text.size()));
  if (out) std::replace_copy(text.begin(), text.end(), out, L'\0', L' ');
  return out;
}

}  // namespace pravex::win32
