// The system libraries behind the text view's accessible objects, loaded
// from the system folder when assistive technology first asks for one, and
// never linked: the program starts as fast as before, and runs where one of
// them is missing (the view then just does not answer through it).
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oleacc.h>

#include <string_view>

#include "win32/text_view/uia_declarations.h"

namespace pravex::win32 {

struct AccessibilityLibraries {
  // ole32 and oleaut32: strings and arrays handed across COM.
  HRESULT(WINAPI* CoInitializeEx)(void*, DWORD) = nullptr;
  BSTR(WINAPI* SysAllocStringLen)(const OLECHAR*, UINT) = nullptr;
  void(WINAPI* SysFreeString)(BSTR) = nullptr;
  UINT(WINAPI* SysStringLen)(BSTR) = nullptr;
  SAFEARRAY*(WINAPI* SafeArrayCreateVector)(VARTYPE, LONG, ULONG) = nullptr;
  HRESULT(WINAPI* SafeArrayPutElement)(SAFEARRAY*, LONG*, void*) = nullptr;
  HRESULT(WINAPI* SafeArrayDestroy)(SAFEARRAY*) = nullptr;
  // oleacc: Microsoft Active Accessibility.
  HRESULT(WINAPI* CreateStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
  LRESULT(WINAPI* LresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
  // uiautomationcore: UI Automation. The last three are optional.
  LRESULT(WINAPI* UiaReturnRawElementProvider)
  (HWND, WPARAM, LPARAM, IRawElementProviderSimple*) = nullptr;
  HRESULT(WINAPI* UiaHostProviderFromHwnd)(HWND, IRawElementProviderSimple**) = nullptr;
  HRESULT(WINAPI* UiaRaiseAutomationEvent)(IRawElementProviderSimple*, uia::EVENTID) = nullptr;
  BOOL(WINAPI* UiaClientsAreListening)() = nullptr;
  HRESULT(WINAPI* UiaGetReservedNotSupportedValue)(IUnknown**) = nullptr;
  HRESULT(WINAPI* UiaDisconnectProvider)(IRawElementProviderSimple*) = nullptr;

  bool HasCom() const {
    return CoInitializeEx && SysAllocStringLen && SysFreeString && SysStringLen &&
           SafeArrayCreateVector && SafeArrayPutElement && SafeArrayDestroy;
  }
  bool HasMsaa() const { return HasCom() && CreateStdAccessibleObject && LresultFromObject; }
  bool HasUia() const {
    return HasCom() && UiaReturnRawElementProvider && UiaHostProviderFromHwnd &&
           UiaRaiseAutomationEvent;
  }
};

// Loads the libraries on the first call and puts the calling thread (the
// windows' one) into a single-threaded COM apartment, so that calls from
// other processes arrive through its message loop. Both stay for the rest
// of the run: objects handed out may be called until the process ends.
const AccessibilityLibraries& LoadAccessibilityLibraries();

// The libraries if they were loaded, else null: for events, which must not
// load anything.
const AccessibilityLibraries* LoadedAccessibilityLibraries();

// A BSTR holding `text` with each NUL shown as a blank, as the view shows
// it; null when out of memory.
BSTR AllocDisplayedString(const AccessibilityLibraries& libraries, std::wstring_view text);

// The IID of IAccessible, spelled out: an import library at hand exports a
// wrong one.
inline constexpr IID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

}  // namespace pravex::win32
