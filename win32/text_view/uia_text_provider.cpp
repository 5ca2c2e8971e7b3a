#include "win32/text_view/uia_text_provider.h"

#include <string>

#include "win32/text_view/text_view.h"
#include "win32/text_view/uia_text_range.h"
#include "win32/text_view/window_label.h"

namespace pravex::win32 {

namespace {

class UiaTextViewProvider final
    : public TextViewObject<uia::kElementNotAvailable, IRawElementProviderSimple,
                            uia::IValueProvider, uia::ITextProvider> {
 public:
  UiaTextViewProvider(const AccessibilityLibraries& libraries, std::shared_ptr<TextViewLink> link)
      : TextViewObject(std::move(link)), libraries_(libraries) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid == __uuidof(IUnknown) || riid == uia::kIidRawElementProviderSimple) {
      return GiveOut(static_cast<IRawElementProviderSimple*>(this), out);
    }
    if (riid == uia::kIidValueProvider) return GiveOut(static_cast<IValueProvider*>(this), out);
    if (riid == uia::kIidTextProvider) return GiveOut(static_cast<ITextProvider*>(this), out);
    return E_NOINTERFACE;
  }

  // IRawElementProviderSimple
  HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override {
    if (!options) return E_POINTER;
    // Called on the window's thread only: the view is not thread-safe.
    *options = static_cast<ProviderOptions>(ProviderOptions_ServerSideProvider |
                                            ProviderOptions_UseComThreading);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID pattern, IUnknown** out) override {
    return Run(out, [&](TextView&) {
      if (pattern == uia::kValuePatternId) *out = ComRef<IUnknown>::Share(AsValue()).Detach();
      if (pattern == uia::kTextPatternId) *out = ComRef<IUnknown>::Share(AsText()).Detach();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID property, VARIANT* value) override {
    return Run(value, [&](TextView& view) -> HRESULT {
      auto boolean = [&](bool b) {
        value->vt = VT_BOOL;
        value->boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
      };
      switch (property) {
        case uia::kControlTypePropertyId:
          value->vt = VT_I4;
          value->lVal = uia::kEditControlTypeId;
          break;
        case uia::kNamePropertyId: {
          // The label's; without one an empty name, so that the window's
          // text (the report) is never taken for it.
          const std::optional<std::wstring> label = LabelBefore(view.Window());
          value->bstrVal = AllocDisplayedString(libraries_, label.value_or(L""));
          if (!value->bstrVal) return E_OUTOFMEMORY;
          value->vt = VT_BSTR;
          break;
        }
        case uia::kIsKeyboardFocusablePropertyId:
          boolean(::IsWindowEnabled(view.Window()) != FALSE);
          break;
        case uia::kHasKeyboardFocusPropertyId:
          boolean(view.HasFocus());
          break;
        case uia::kIsValuePatternAvailablePropertyId:
        case uia::kIsTextPatternAvailablePropertyId:
          boolean(true);
          break;
        case uia::kIsPasswordPropertyId:
        case uia::kValueIsReadOnlyPropertyId:
          boolean(false);
          break;
        default:
          break;  // empty: the host window's provider answers
      }
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** out) override {
    return Run(out, [&](TextView& view) {
      return libraries_.UiaHostProviderFromHwnd(view.Window(), out);
    });
  }

  // IValueProvider
  HRESULT STDMETHODCALLTYPE SetValue(LPCWSTR text) override {
    return Run([&](TextView& view) {
      view.SetText(text ? std::wstring(text) : std::wstring());  // as WM_SETTEXT
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_Value(BSTR* out) override {
    return Run(out, [&](TextView& view) {
      *out = AllocDisplayedString(libraries_, view.Text());
      return *out ? S_OK : E_OUTOFMEMORY;
    });
  }
  HRESULT STDMETHODCALLTYPE get_IsReadOnly(BOOL* readOnly) override {
    return Run(readOnly, [&](TextView&) { return S_OK; });
  }

  // ITextProvider
  HRESULT STDMETHODCALLTYPE GetSelection(SAFEARRAY** out) override {
    return Run(
        out, [&](TextView& view) { return RangeArray(libraries_, Range(view.Selection()), out); });
  }
  HRESULT STDMETHODCALLTYPE GetVisibleRanges(SAFEARRAY** out) override {
    return Run(out, [&](TextView& view) {
      return RangeArray(libraries_, Range(view.VisibleSpan()), out);
    });
  }
  HRESULT STDMETHODCALLTYPE RangeFromChild(IRawElementProviderSimple*,
                                           uia::ITextRangeProvider** out) override {
    // The text holds no child elements.
    return Run(out, [&](TextView&) { return E_INVALIDARG; });
  }
  HRESULT STDMETHODCALLTYPE RangeFromPoint(uia::UiaPoint point,
                                           uia::ITextRangeProvider** out) override {
    return Run(out, [&](TextView& view) {
      const std::size_t pos =
          view.PosAtScreenPoint({static_cast<LONG>(point.x), static_cast<LONG>(point.y)});
      *out = Range({pos, pos}).Detach();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_DocumentRange(uia::ITextRangeProvider** out) override {
    return Run(out, [&](TextView& view) {
      *out = Range({0, view.Text().size()}).Detach();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_SupportedTextSelection(uia::SupportedTextSelection* out) override {
    return Run(out, [&](TextView&) {
      *out = uia::SupportedTextSelection_Single;
      return S_OK;
    });
  }

 private:
  IValueProvider* AsValue() { return this; }
  ITextProvider* AsText() { return this; }
  ComRef<uia::ITextRangeProvider> Range(text::Span span) {
    return MakeUiaTextRange(libraries_, link_, ComRef<IRawElementProviderSimple>::Share(this),
                            span);
  }

  const AccessibilityLibraries& libraries_;
};

}  // namespace

ComRef<IRawElementProviderSimple> MakeUiaTextViewProvider(const AccessibilityLibraries& libraries,
                                                          std::shared_ptr<TextViewLink> link) {
  ComRef<UiaTextViewProvider> made = MakeCom<UiaTextViewProvider>(libraries, std::move(link));
  return ComRef<IRawElementProviderSimple>(made.Detach());
}

}  // namespace pravex::win32
