#include "win32/text_view/uia_text_range.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

#include "win32/text_view/text_view.h"

namespace pravex::win32 {

namespace {

using text::Endpoint;
using text::Span;
using text::TextUnit;
using text::TextUnits;

constexpr HRESULT kInvalidOperation = static_cast<HRESULT>(0x80131509L);  // UIA_E_INVALIDOPERATION

// Our ranges answer this, so that a range handed back to us is known for one.
// {4B0C8E7A-52F1-4C63-9E0D-6A1F3B2C7D95}
constexpr IID kIidTextViewRange = {
    0x4b0c8e7a, 0x52f1, 0x4c63, {0x9e, 0x0d, 0x6a, 0x1f, 0x3b, 0x2c, 0x7d, 0x95}};

bool IsUnit(uia::TextUnit unit) {
  return unit >= uia::TextUnit_Character && unit <= uia::TextUnit_Document;
}

Endpoint EndpointOf(uia::TextPatternRangeEndpoint endpoint) {
  return endpoint == uia::TextPatternRangeEndpoint_Start ? Endpoint::kStart : Endpoint::kEnd;
}

wchar_t Lower(wchar_t c) {
  return static_cast<wchar_t>(
      reinterpret_cast<UINT_PTR>(::CharLowerW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(c)))));
}

class UiaTextRange final
    : public TextViewObject<uia::kElementNotAvailable, uia::ITextRangeProvider> {
 public:
  UiaTextRange(const AccessibilityLibraries& libraries, std::shared_ptr<TextViewLink> link,
               ComRef<IRawElementProviderSimple> owner, Span span)
      : TextViewObject(std::move(link)),
        libraries_(libraries),
        owner_(std::move(owner)),
        span_(span) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid == __uuidof(IUnknown) || riid == uia::kIidTextRangeProvider ||
        riid == kIidTextViewRange) {
      return GiveOut(static_cast<uia::ITextRangeProvider*>(this), out);
    }
    return E_NOINTERFACE;
  }

  // ITextRangeProvider
  HRESULT STDMETHODCALLTYPE Clone(ITextRangeProvider** out) override {
    return Run(out, [&](TextView&) { return Give(span_, out); });
  }
  HRESULT STDMETHODCALLTYPE Compare(ITextRangeProvider* range, BOOL* same) override {
    return Run(same, [&](TextView& view) {
      const UiaTextRange* other = Ours(range);
      *same = other && other->link_ == link_ && Current(view, other->span_) == span_;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE CompareEndpoints(uia::TextPatternRangeEndpoint endpoint,
                                             ITextRangeProvider* target,
                                             uia::TextPatternRangeEndpoint targetEndpoint,
                                             int* order) override {
    return Run(order, [&](TextView& view) -> HRESULT {
      const UiaTextRange* other = Ours(target);
      if (!other || other->link_ != link_) return E_INVALIDARG;
      const auto mine = static_cast<long long>(span_.At(EndpointOf(endpoint)));
      const auto theirs =
          static_cast<long long>(Current(view, other->span_).At(EndpointOf(targetEndpoint)));
      *order = static_cast<int>(std::clamp(mine - theirs, -1LL * INT_MAX, 1LL * INT_MAX));
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE ExpandToEnclosingUnit(uia::TextUnit unit) override {
    if (!IsUnit(unit)) return E_INVALIDARG;
    return Run([&](TextView& view) {
      span_ = Units(view).Expand(static_cast<TextUnit>(unit), span_);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE FindAttribute(uia::TEXTATTRIBUTEID, VARIANT, BOOL,
                                          ITextRangeProvider** out) override {
    // One format throughout: no range differs in any attribute.
    return Run(out, [&](TextView&) { return S_OK; });
  }
  HRESULT STDMETHODCALLTYPE FindText(BSTR text, BOOL backward, BOOL ignoreCase,
                                     ITextRangeProvider** out) override {
    return Run(out, [&](TextView& view) -> HRESULT {
      if (!text) return E_INVALIDARG;
      const std::wstring_view needle(text, libraries_.SysStringLen(text));
      const std::optional<Span> found = text::FindText(
          view.Text(), span_, needle, backward != FALSE, ignoreCase ? &Lower : nullptr);
      return found ? Give(*found, out) : S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE GetAttributeValue(uia::TEXTATTRIBUTEID attribute,
                                              VARIANT* value) override {
    return Run(value, [&](TextView&) -> HRESULT {
      value->vt = VT_EMPTY;
      if (attribute == uia::kIsReadOnlyAttributeId) {
        value->vt = VT_BOOL;
        value->boolVal = VARIANT_FALSE;
        return S_OK;
      }
      // Every other attribute: the value that says it is not kept.
      IUnknown* notSupported = nullptr;
      if (libraries_.UiaGetReservedNotSupportedValue &&
          SUCCEEDED(libraries_.UiaGetReservedNotSupportedValue(&notSupported))) {
        value->vt = VT_UNKNOWN;
        value->punkVal = notSupported;
      }
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE GetBoundingRectangles(SAFEARRAY** out) override {
    return Run(out, [&](TextView& view) -> HRESULT {
      // Left, top, width and height of the range on each line, on the screen.
      const std::vector<RECT> rects = view.ScreenRectsOf(span_);
      SAFEARRAY* array =
          libraries_.SafeArrayCreateVector(VT_R8, 0, static_cast<ULONG>(rects.size() * 4));
      if (!array) return E_OUTOFMEMORY;
      LONG index = 0;
      for (const RECT& rect : rects) {
        for (double side : {double(rect.left), double(rect.top), double(rect.right - rect.left),
                            double(rect.bottom - rect.top)}) {
          libraries_.SafeArrayPutElement(array, &index, &side);
          ++index;
        }
      }
      *out = array;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE GetEnclosingElement(IRawElementProviderSimple** out) override {
    return Run(out, [&](TextView&) {
      *out = ComRef<IRawElementProviderSimple>(owner_).Detach();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE GetText(int maxLength, BSTR* out) override {
    return Run(out, [&](TextView& view) -> HRESULT {
      if (maxLength < -1) return E_INVALIDARG;
      std::size_t length = span_.end - span_.start;
      if (maxLength >= 0)
        length = std::min<std::size_t>(length, static_cast<std::size_t>(maxLength));
      *out = AllocDisplayedString(libraries_,
                                  std::wstring_view(view.Text()).substr(span_.start, length));
      return *out ? S_OK : E_OUTOFMEMORY;
    });
  }
  HRESULT STDMETHODCALLTYPE Move(uia::TextUnit unit, int count, int* moved) override {
    if (!IsUnit(unit)) return E_INVALIDARG;
    return Run(moved, [&](TextView& view) {
      *moved = Units(view).Move(static_cast<TextUnit>(unit), count, span_);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE MoveEndpointByUnit(uia::TextPatternRangeEndpoint endpoint,
                                               uia::TextUnit unit, int count, int* moved) override {
    if (!IsUnit(unit)) return E_INVALIDARG;
    return Run(moved, [&](TextView& view) {
      *moved =
          Units(view).MoveEndpoint(EndpointOf(endpoint), static_cast<TextUnit>(unit), count, span_);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE
  MoveEndpointByRange(uia::TextPatternRangeEndpoint endpoint, ITextRangeProvider* target,
                      uia::TextPatternRangeEndpoint targetEndpoint) override {
    return Run([&](TextView& view) -> HRESULT {
      const UiaTextRange* other = Ours(target);
      if (!other || other->link_ != link_) return E_INVALIDARG;
      text::SetEndpoint(span_, EndpointOf(endpoint),
                        Current(view, other->span_).At(EndpointOf(targetEndpoint)));
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE Select() override {
    return Run([&](TextView& view) {
      view.SelectSpan(span_);
      return S_OK;
    });
  }
  // One selection only.
  HRESULT STDMETHODCALLTYPE AddToSelection() override { return kInvalidOperation; }
  HRESULT STDMETHODCALLTYPE RemoveFromSelection() override { return kInvalidOperation; }
  HRESULT STDMETHODCALLTYPE ScrollIntoView(BOOL alignToTop) override {
    return Run([&](TextView& view) {
      view.ScrollIntoView(span_, alignToTop != FALSE);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE GetChildren(SAFEARRAY** out) override {
    return Run(out, [&](TextView&) -> HRESULT {
      *out = libraries_.SafeArrayCreateVector(VT_UNKNOWN, 0, 0);  // the text holds no objects
      return *out ? S_OK : E_OUTOFMEMORY;
    });
  }

 private:
  // Every method's body sees the range clamped to the text as it is now.
  void Refresh(TextView& view) override { span_ = Current(view, span_); }

  static TextUnits Units(TextView& view) { return TextUnits(view.Text(), view.Layout()); }
  static Span Current(TextView& view, Span span) { return Units(view).Clamp(span); }

  // The range behind a pointer handed back to us, if it is one of ours.
  static const UiaTextRange* Ours(ITextRangeProvider* range) {
    if (!range) return nullptr;
    ComRef<ITextRangeProvider> ours;
    if (FAILED(
            range->QueryInterface(kIidTextViewRange, reinterpret_cast<void**>(ours.Receive()))) ||
        !ours) {
      return nullptr;
    }
    return static_cast<const UiaTextRange*>(ours.get());  // `range` keeps it alive
  }

  HRESULT Give(Span span, ITextRangeProvider** out) {
    *out = MakeUiaTextRange(libraries_, link_, owner_, span).Detach();
    return S_OK;
  }

  const AccessibilityLibraries& libraries_;
  ComRef<IRawElementProviderSimple> owner_;
  Span span_;
};

}  // namespace

ComRef<uia::ITextRangeProvider> MakeUiaTextRange(const AccessibilityLibraries& libraries,
                                                 std::shared_ptr<TextViewLink> link,
                                                 ComRef<IRawElementProviderSimple> owner,
                                                 text::Span span) {
  ComRef<UiaTextRange> made =
      MakeCom<UiaTextRange>(libraries, std::move(link), std::move(owner), span);
  return ComRef<uia::ITextRangeProvider>(made.Detach());
}

HRESULT RangeArray(const AccessibilityLibraries& libraries,
                   const ComRef<uia::ITextRangeProvider>& range, SAFEARRAY** out) {
  SAFEARRAY* array = libraries.SafeArrayCreateVector(VT_UNKNOWN, 0, 1);
  if (!array) return E_OUTOFMEMORY;
  LONG index = 0;
  // The array takes a reference of its own.
  const HRESULT put = libraries.SafeArrayPutElement(array, &index, range.get());
  if (FAILED(put)) {
    libraries.SafeArrayDestroy(array);
    return put;
  }
  *out = array;
  return S_OK;
}

}  // namespace pravex::win32
