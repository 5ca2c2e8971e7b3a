#include "tests/e2e/driver/accessible_object.h"

#include <ole2.h>
#include <oleacc.h>

#include <cstdlib>
#include <sstream>
#include <stdexcept>

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
  template <class Function>
  Function Get(const char* name) const {
    const FARPROC proc = ::GetProcAddress(module_, name);
    if (!proc) throw std::runtime_error(std::string(name) + " is missing");
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
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
  const FARPROC proc = ntdll ? ::GetProcAddress(ntdll, "wine_get_version") : nullptr;
  if (!proc) return std::nullopt;
  const char* version = reinterpret_cast<const char* (*)()>(reinterpret_cast<void (*)()>(proc))();
  if (std::atoi(version) > 8) return std::nullopt;
  return std::string("Wine ") + version + " has no UiaGetPatternProvider (an aborting stub)";
}

}  // namespace

AccessibleFacts ReadAccessibleClient(HWND window) {
  const Apartment apartment;
  const Library oleacc(L"oleacc.dll");
  using FromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
  IAccessible* accessible = nullptr;
  const HRESULT got = oleacc.Get<FromWindow>("AccessibleObjectFromWindow")(
      window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
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
  using Node = void*;
  using Pattern = void*;
  using Range = void*;
  const auto nodeRelease = uia.Get<BOOL(WINAPI*)(Node)>("UiaNodeRelease");
  const auto patternRelease = uia.Get<BOOL(WINAPI*)(Pattern)>("UiaPatternRelease");
  const auto rangeRelease = uia.Get<BOOL(WINAPI*)(Range)>("UiaTextRangeRelease");

  UiaHandle<Node> node(nodeRelease);
  if (const HRESULT r =
          uia.Get<HRESULT(WINAPI*)(HWND, Node*)>("UiaNodeFromHandle")(window, node.Receive());
      FAILED(r) || !node.get()) {
    Fail("UiaNodeFromHandle", r);
  }
  AutomationFacts facts;
  Variant controlType;
  if (const HRESULT r = uia.Get<HRESULT(WINAPI*)(Node, int, VARIANT*)>("UiaGetPropertyValue")(
          node.get(), kControlTypePropertyId, controlType.get());
      FAILED(r)) {
    Fail("UiaGetPropertyValue", r);
  }
  facts.controlType = static_cast<int>(IntegerOf(*controlType));

  Variant value;
  if (const HRESULT r = uia.Get<HRESULT(WINAPI*)(Node, int, VARIANT*)>("UiaGetPropertyValue")(
          node.get(), kValueValuePropertyId, value.get());
      SUCCEEDED(r) && (*value).vt == VT_BSTR) {
    facts.value = std::wstring((*value).bstrVal, ::SysStringLen((*value).bstrVal));
  }

  if (const std::optional<std::string> missing = WinePatternCallsMissing()) {
    facts.documentTextUnavailable = *missing;
    return facts;
  }
  UiaHandle<Pattern> text(patternRelease);
  if (const HRESULT r = uia.Get<HRESULT(WINAPI*)(Node, int, Pattern*)>("UiaGetPatternProvider")(
          node.get(), kTextPatternId, text.Receive());
      FAILED(r) || !text.get()) {
    Fail("UiaGetPatternProvider", r);
  }
  UiaHandle<Range> document(rangeRelease);
  if (const HRESULT r = uia.Get<HRESULT(WINAPI*)(Pattern, Range*)>("TextPattern_get_DocumentRange")(
          text.get(), document.Receive());
      FAILED(r) || !document.get()) {
    Fail("TextPattern_get_DocumentRange", r);
  }
  Bstr documentText;
  if (const HRESULT r = uia.Get<HRESULT(WINAPI*)(Range, int, BSTR*)>("TextRange_GetText")(
          document.get(), -1, documentText.Receive());
      FAILED(r)) {
    Fail("TextRange_GetText", r);
  }
  facts.documentText = documentText.Text().value_or(L"");
  return facts;
}

}  // namespace pravex::e2e
