#include "tests/e2e/driver/accessible_object.h"

#include <ole2.h>
#include <oleacc.h>

#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "win32/bind_as.h"

// What the readings take at run time beyond the system headers at hand,
// declared as the system declares it: UI Automation's client functions
// (their header does not compile as C++) and Wine's version.
extern "C" {
DECLARE_HANDLE(HUIANODE);
DECLARE_HANDLE(HUIAPATTERNOBJECT);
DECLARE_HANDLE(HUIATEXTRANGE);
HRESULT WINAPI UiaNodeFromHandle(HWND hwnd, HUIANODE* node);
HRESULT WINAPI UiaGetPropertyValue(HUIANODE node, int propertyId, VARIANT* value);
HRESULT WINAPI UiaGetPatternProvider(HUIANODE node, int patternId, HUIAPATTERNOBJECT* pattern);
HRESULT WINAPI TextPattern_get_DocumentRange(HUIAPATTERNOBJECT pattern, HUIATEXTRANGE* range);
HRESULT WINAPI TextRange_GetText(HUIATEXTRANGE range, int maxLength, BSTR* text);
BOOL WINAPI UiaNodeRelease(HUIANODE node);
BOOL WINAPI UiaPatternRelease(HUIAPATTERNOBJECT pattern);
BOOL WINAPI UiaTextRangeRelease(HUIATEXTRANGE range);
const char* CDECL wine_get_version();
}

namespace pravex::e2e {

namespace {

// Spelled out: an import library at hand exports a wrong one.
constexpr IID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
constexpr int kControlTypePropertyId = 30003;
constexpr int kValueValuePropertyId = 30045;
constexpr int kTextPatternId = 10014;

[[noreturn]] void Fail(const char* call, HRESULT result) {
  std::ostringstream message;
  message << call << " failed: 0x" << std::hex << static_cast<unsigned long>(result);
  throw std::runtime_error(message.str());
}

// A COM apartment for the calls of one reading.
class Apartment {
 public:
  Apartment() {
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
      throw std::runtime_error("CoInitializeEx failed");
    }
  }
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;
  ~Apartment() { ::CoUninitialize(); }
};

class Library {
 public:
  explicit Library(const wchar_t* name)
      : module_(::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    if (!module_) throw std::runtime_error("cannot load a system library");
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  ~Library() { ::FreeLibrary(module_); }
  template <class Declared>
  Declared* Get(const char* name) const {
    Declared* const function = win32::BindAs<Declared>(module_, name);
    if (!function) throw std::runtime_error(std::string(name) + " is missing");
    return function;
  }

 private:
  HMODULE module_;
};

class Bstr {
 public:
  Bstr() = default;
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { ::SysFreeString(value_); }
  BSTR* Receive() { return &value_; }
  std::optional<std::wstring> Text() const {
    if (!value_) return std::nullopt;
    return std::wstring(value_, ::SysStringLen(value_));
  }

 private:
  BSTR value_ = nullptr;
};

class Variant {
 public:
  Variant() { ::VariantInit(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { ::VariantClear(&value_); }
  VARIANT* get() { return &value_; }
  const VARIANT& operator*() const { return value_; }

 private:
  VARIANT value_;
};

// Releases a flat UI Automation handle through its release call.
template <class Handle>
class UiaHandle {
 public:
  using Release = BOOL(WINAPI*)(Handle);
  explicit UiaHandle(Release release) : release_(release) {}
  UiaHandle(const UiaHandle&) = delete;
  UiaHandle& operator=(const UiaHandle&) = delete;
  ~UiaHandle() {
    if (handle_) release_(handle_);
  }
  Handle* Receive() { return &handle_; }
  Handle get() const { return handle_; }

 private:
  Release release_;
  Handle handle_ = nullptr;
};

long IntegerOf(const VARIANT& value) {
  return value.vt == VT_I4 ? value.lVal : -1;
}

// Wine up to 8 exports UiaGetPatternProvider as a stub that ends the
// calling process; nothing in the library tells it apart but the version.
std::optional<std::string> WinePatternCallsMissing() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  const auto wineVersion = win32::BindAs<decltype(::wine_get_version)>(ntdll, "wine_get_version");
  if (!wineVersion) return std::nullopt;
  const char* version = wineVersion();
  if (std::atoi(version) > 8) return std::nullopt;
  return std::string("Wine ") + version + " has no UiaGetPatternProvider (an aborting stub)";
}

}  // namespace

AccessibleFacts ReadAccessibleClient(HWND window) {
  const Apartment apartment;
  const Library oleacc(L"oleacc.dll");
  IAccessible* accessible = nullptr;
  const HRESULT got = oleacc.Get<decltype(::AccessibleObjectFromWindow)>(
      "AccessibleObjectFromWindow")(window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                    reinterpret_cast<void**>(&accessible));
  if (FAILED(got) || !accessible) Fail("AccessibleObjectFromWindow", got);
  struct Releaser {
    IAccessible* p;
    ~Releaser() { p->Release(); }
  } releaser{accessible};

  VARIANT self;
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  AccessibleFacts facts;
  Variant role;
  if (const HRESULT r = accessible->get_accRole(self, role.get()); FAILED(r)) {
    Fail("get_accRole", r);
  }
  facts.role = IntegerOf(*role);
  Variant state;
  if (const HRESULT r = accessible->get_accState(self, state.get()); FAILED(r)) {
    Fail("get_accState", r);
  }
  facts.state = IntegerOf(*state);
  Bstr name;
  if (const HRESULT r = accessible->get_accName(self, name.Receive()); FAILED(r)) {
    Fail("get_accName", r);
  }
  facts.name = name.Text();
  Bstr value;
  if (const HRESULT r = accessible->get_accValue(self, value.Receive()); FAILED(r)) {
    Fail("get_accValue", r);
  }
  facts.value = value.Text();
  LONG left = 0, top = 0, width = 0, height = 0;
  if (const HRESULT r = accessible->accLocation(&left, &top, &width, &height, self); FAILED(r)) {
    Fail("accLocation", r);
  }
  facts.location = {left, top, left + width, top + height};
  return facts;
}

AutomationFacts ReadAutomationElement(HWND window) {
  const Apartment apartment;
  const Library uia(L"uiautomationcore.dll");
  const auto nodeRelease = uia.Get<decltype(::UiaNodeRelease)>("UiaNodeRelease");
  const auto patternRelease = uia.Get<decltype(::UiaPatternRelease)>("UiaPatternRelease");
  const auto rangeRelease = uia.Get<decltype(::UiaTextRangeRelease)>("UiaTextRangeRelease");

  UiaHandle<HUIANODE> node(nodeRelease);
  if (const HRESULT r =
          uia.Get<decltype(::UiaNodeFromHandle)>("UiaNodeFromHandle")(window, node.Receive());
      FAILED(r) || !node.get()) {
    Fail("UiaNodeFromHandle", r);
  }
  const auto getProperty = uia.Get<decltype(::UiaGetPropertyValue)>("UiaGetPropertyValue");
  AutomationFacts facts;
  Variant controlType;
  if (const HRESULT r = getProperty(node.get(), kControlTypePropertyId, controlType.get());
      FAILED(r)) {
    Fail("UiaGetPropertyValue", r);
  }
  facts.controlType = static_cast<int>(IntegerOf(*controlType));

  Variant value;
  if (const HRESULT r = getProperty(node.get(), kValueValuePropertyId, value.get());
      SUCCEEDED(r) && (*value).vt == VT_BSTR) {
    facts.value = std::wstring((*value).bstrVal, ::SysStringLen((*value).bstrVal));
  }

  if (const std::optional<std::string> missing = WinePatternCallsMissing()) {
    facts.documentTextUnavailable = *missing;
    return facts;
  }
  UiaHandle<HUIAPATTERNOBJECT> text(patternRelease);
  if (const HRESULT r = uia.Get<decltype(::UiaGetPatternProvider)>("UiaGetPatternProvider")(
          node.get(), kTextPatternId, text.Receive());
      FAILED(r) || !text.get()) {
    Fail("UiaGetPatternProvider", r);
  }
  UiaHandle<HUIATEXTRANGE> document(rangeRelease);
  if (const HRESULT r = uia.Get<decltype(::TextPattern_get_DocumentRange)>(
          "TextPattern_get_DocumentRange")(text.get(), document.Receive());
      FAILED(r) || !document.get()) {
    Fail("TextPattern_get_DocumentRange", r);
  }
  Bstr documentText;
  if (const HRESULT r = uia.Get<decltype(::TextRange_GetText)>("TextRange_GetText")(
          document.get(), -1, documentText.Receive());
      FAILED(r)) {
    Fail("TextRange_GetText", r);
  }
  facts.documentText = documentText.Text().value_or(L"");
  return facts;
}

}  // namespace pravex::e2e
