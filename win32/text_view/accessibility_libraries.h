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

// Each function typed by its declaration (BindAs): the system headers' or,
// for UI Automation, uia_declarations.h's.
struct AccessibilityLibraries {
  // ole32 and oleaut32: strings and arrays handed across COM.
  decltype(::CoInitializeEx)* CoInitializeEx = nullptr;
  decltype(::SysAllocStringLen)* SysAllocStringLen = nullptr;
  decltype(::SysFreeString)* SysFreeString = nullptr;
  decltype(::SysStringLen)* SysStringLen = nullptr;
  decltype(::SafeArrayCreateVector)* SafeArrayCreateVector = nullptr;
  decltype(::SafeArrayPutElement)* SafeArrayPutElement = nullptr;
  decltype(::SafeArrayDestroy)* SafeArrayDestroy = nullptr;
  // oleacc: Microsoft Active Accessibility.
  decltype(::CreateStdAccessibleObject)* CreateStdAccessibleObject = nullptr;
  decltype(::LresultFromObject)* LresultFromObject = nullptr;
  // uiautomationcore: UI Automation. The last three are optional.
  decltype(uia::UiaReturnRawElementProvider)* UiaReturnRawElementProvider = nullptr;
  decltype(uia::UiaHostProviderFromHwnd)* UiaHostProviderFromHwnd = nullptr;
  decltype(uia::UiaRaiseAutomationEvent)* UiaRaiseAutomationEvent = nullptr;
  decltype(uia::UiaClientsAreListening)* UiaClientsAreListening = nullptr;
  decltype(uia::UiaGetReservedNotSupportedValue)* UiaGetReservedNotSupportedValue = nullptr;
  decltype(uia::UiaDisconnectProvider)* UiaDisconnectProvider = nullptr;

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
