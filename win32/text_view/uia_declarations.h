// What the text view's UI Automation provider needs beyond the system
// headers at hand: the Value and Text patterns' interfaces, their enums and
// identifiers, and the core's functions the view takes at run time, as the
// UI Automation documentation declares them (the order of the methods is
// the order of their table).
#pragma once

#include <windows.h>
#include <ole2.h>
#include <uiautomationcore.h>

#include "win32/text_view/com_support.h"

namespace pravex::win32::uia {

enum TextUnit : int {
  TextUnit_Character = 0,
  TextUnit_Format = 1,
  TextUnit_Word = 2,
  TextUnit_Line = 3,
  TextUnit_Paragraph = 4,
  TextUnit_Page = 5,
  TextUnit_Document = 6,
};
enum TextPatternRangeEndpoint : int {
  TextPatternRangeEndpoint_Start = 0,
  TextPatternRangeEndpoint_End = 1,
};
enum SupportedTextSelection : int {
  SupportedTextSelection_None = 0,
  SupportedTextSelection_Single = 1,
  SupportedTextSelection_Multiple = 2,
};
struct UiaPoint {
  double x;
  double y;
};
using TEXTATTRIBUTEID = int;
using EVENTID = int;

inline constexpr int kRootObjectId = -25;  // UiaRootObjectId
inline constexpr HRESULT kElementNotAvailable = static_cast<HRESULT>(0x80040201L);
inline constexpr HRESULT kNotSupported = static_cast<HRESULT>(0x80040204L);

// Patterns, properties, control types, events and text attributes.
inline constexpr PATTERNID kValuePatternId = 10002;
inline constexpr PATTERNID kTextPatternId = 10014;
inline constexpr PROPERTYID kControlTypePropertyId = 30003;
inline constexpr PROPERTYID kNamePropertyId = 30005;
inline constexpr PROPERTYID kHasKeyboardFocusPropertyId = 30008;
inline constexpr PROPERTYID kIsKeyboardFocusablePropertyId = 30009;
inline constexpr PROPERTYID kIsPasswordPropertyId = 30019;
inline constexpr PROPERTYID kIsValuePatternAvailablePropertyId = 30043;
inline constexpr PROPERTYID kIsTextPatternAvailablePropertyId = 30040;
inline constexpr PROPERTYID kValueValuePropertyId = 30045;
inline constexpr PROPERTYID kValueIsReadOnlyPropertyId = 30046;
inline constexpr int kEditControlTypeId = 50004;
inline constexpr EVENTID kTextSelectionChangedEventId = 20014;
inline constexpr EVENTID kTextChangedEventId = 20015;
inline constexpr TEXTATTRIBUTEID kIsReadOnlyAttributeId = 40015;

struct ITextRangeProvider;

// Each interface's destructor is protected, as ComInterface's: objects go by
// Release, never by delete through an interface.

// {C7935180-6FB3-4201-B174-7DF73ADBF64A}
inline constexpr IID kIidValueProvider = {
    0xc7935180, 0x6fb3, 0x4201, {0xb1, 0x74, 0x7d, 0xf7, 0x3a, 0xdb, 0xf6, 0x4a}};
struct IValueProvider : public ComInterface {
  virtual HRESULT STDMETHODCALLTYPE SetValue(LPCWSTR val) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Value(BSTR* pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_IsReadOnly(BOOL* pRetVal) = 0;

 protected:
  ~IValueProvider() = default;
};

// {3589C92C-63F3-4367-99BB-ADA653B77CF2}
inline constexpr IID kIidTextProvider = {
    0x3589c92c, 0x63f3, 0x4367, {0x99, 0xbb, 0xad, 0xa6, 0x53, 0xb7, 0x7c, 0xf2}};
struct ITextProvider : public ComInterface {
  virtual HRESULT STDMETHODCALLTYPE GetSelection(SAFEARRAY** pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetVisibleRanges(SAFEARRAY** pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE RangeFromChild(IRawElementProviderSimple* childElement,
                                                   ITextRangeProvider** pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE RangeFromPoint(UiaPoint point,
                                                   ITextRangeProvider** pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_DocumentRange(ITextRangeProvider** pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_SupportedTextSelection(SupportedTextSelection* pRetVal) = 0;

 protected:
  ~ITextProvider() = default;
};

// {5347AD7B-C355-46F8-AFF5-909033582F63}
inline constexpr IID kIidTextRangeProvider = {
    0x5347ad7b, 0xc355, 0x46f8, {0xaf, 0xf5, 0x90, 0x90, 0x33, 0x58, 0x2f, 0x63}};
struct ITextRangeProvider : public ComInterface {
  virtual HRESULT STDMETHODCALLTYPE Clone(ITextRangeProvider** pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE Compare(ITextRangeProvider* range, BOOL* pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE CompareEndpoints(TextPatternRangeEndpoint endpoint,
                                                     ITextRangeProvider* targetRange,
                                                     TextPatternRangeEndpoint targetEndpoint,
                                                     int* pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE ExpandToEnclosingUnit(TextUnit unit) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindAttribute(TEXTATTRIBUTEID attributeId, VARIANT val,
                                                  BOOL backward, ITextRangeProvider** pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindText(BSTR text, BOOL backward, BOOL ignoreCase,
                                             ITextRangeProvider** pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetAttributeValue(TEXTATTRIBUTEID attributeId,
                                                      VARIANT* pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetBoundingRectangles(SAFEARRAY** pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetEnclosingElement(IRawElementProviderSimple** pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetText(int maxLength, BSTR* pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE Move(TextUnit unit, int count, int* pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE MoveEndpointByUnit(TextPatternRangeEndpoint endpoint,
                                                       TextUnit unit, int count, int* pRetVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  MoveEndpointByRange(TextPatternRangeEndpoint endpoint, ITextRangeProvider* targetRange,
                      TextPatternRangeEndpoint targetEndpoint) = 0;
  virtual HRESULT STDMETHODCALLTYPE Select() = 0;
  virtual HRESULT STDMETHODCALLTYPE AddToSelection() = 0;
  virtual HRESULT STDMETHODCALLTYPE RemoveFromSelection() = 0;
  virtual HRESULT STDMETHODCALLTYPE ScrollIntoView(BOOL alignToTop) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetChildren(SAFEARRAY** pRetVal) = 0;

 protected:
  ~ITextRangeProvider() = default;
};

// {D6DD68D1-86FD-4332-8666-9ABEDEA2D24C}
inline constexpr IID kIidRawElementProviderSimple = {
    0xd6dd68d1, 0x86fd, 0x4332, {0x86, 0x66, 0x9a, 0xbe, 0xde, 0xa2, 0xd2, 0x4c}};

// The UI Automation core's functions the view takes at run time (see
// accessibility_libraries.h), declared as the system declares them: the
// system's own header for them does not compile as C++. Never called
// directly; nothing links the library.
extern "C" {
LRESULT WINAPI UiaReturnRawElementProvider(HWND hwnd, WPARAM wParam, LPARAM lParam,
                                           IRawElementProviderSimple* el);
HRESULT WINAPI UiaHostProviderFromHwnd(HWND hwnd, IRawElementProviderSimple** provider);
HRESULT WINAPI UiaRaiseAutomationEvent(IRawElementProviderSimple* provider, EVENTID id);
BOOL WINAPI UiaClientsAreListening();
HRESULT WINAPI UiaGetReservedNotSupportedValue(IUnknown** notSupportedValue);
HRESULT WINAPI UiaDisconnectProvider(IRawElementProviderSimple* provider);
}

}  // namespace pravex::win32::uia
