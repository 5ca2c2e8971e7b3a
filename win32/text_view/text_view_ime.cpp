// Typing through an input method: its composition window stands at the
// caret and follows it, and the string it settles on goes in whole, as one
// piece of typing that Ctrl+Z takes back with what was typed before it.
#include "win32/text_view/text_view.h"

#include <imm.h>

#include <string>

namespace pravex::win32 {

namespace {

// ImmGetContext / ImmReleaseContext.
class InputContext {
 public:
  explicit InputContext(HWND hwnd) : hwnd_(hwnd), context_(::ImmGetContext(hwnd)) {}
  InputContext(const InputContext&) = delete;
  InputContext& operator=(const InputContext&) = delete;
  ~InputContext() {
    if (context_) ::ImmReleaseContext(hwnd_, context_);
  }
  HIMC get() const { return context_; }

 private:
  HWND hwnd_;
  HIMC context_;
};

}  // namespace

void TextView::PlaceCompositionWindow() {
  const InputContext context(hwnd_);
  if (!context.get()) return;
  COMPOSITIONFORM form{};
  form.dwStyle = CFS_POINT;
  form.ptCurrentPos = PointOf(CaretLine(), model_.Caret());
  ::ImmSetCompositionWindow(context.get(), &form);
  LOGFONTW font{};
  if (::GetObjectW(FontOrSystem(), sizeof(font), &font)) {
    ::ImmSetCompositionFontW(context.get(), &font);
  }
}

LRESULT TextView::OnImeComposition(WPARAM wParam, LPARAM lParam) {
  if (lParam & GCS_RESULTSTR) {
    std::wstring result;
    {
      const InputContext context(hwnd_);
      const LONG bytes =
          context.get() ? ::ImmGetCompositionStringW(context.get(), GCS_RESULTSTR, nullptr, 0) : 0;
      if (bytes > 0) {
        result.resize(static_cast<std::size_t>(bytes) / sizeof(wchar_t));
        ::ImmGetCompositionStringW(context.get(), GCS_RESULTSTR, result.data(),
                                   static_cast<DWORD>(bytes));
      }
    }
    if (!result.empty()) {
      InsertTyped(result);
      // Taken here: the default handling would send it again as WM_IME_CHARs.
      lParam &= ~static_cast<LPARAM>(GCS_RESULTSTR | GCS_RESULTREADSTR | GCS_RESULTCLAUSE |
                                     GCS_RESULTREADCLAUSE);
    }
  }
  return ::DefWindowProcW(hwnd_, WM_IME_COMPOSITION, wParam, lParam);
}

}  // namespace pravex::win32
