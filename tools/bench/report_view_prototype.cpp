#include "tools/bench/report_view_prototype.h"

#include <algorithm>

namespace pravex::bench {

namespace {

constexpr wchar_t kClassName[] = L"PravexProbeReportView";

void RegisterOnce(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (::GetClassInfoExW(instance, kClassName, &wc)) return;
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_IBEAM);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClassName;
  ::RegisterClassExW(&wc);
}

}  // namespace

ReportViewPrototype::ReportViewPrototype(HWND parent, const RECT& place, HFONT font) : font_(font) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  RegisterOnce(instance, &WindowProc);
  hwnd_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL,
                            place.left, place.top, place.right - place.left,
                            place.bottom - place.top, parent, nullptr, instance, this);
  const HDC dc = ::GetDC(hwnd_);
  const HGDIOBJ old = ::SelectObject(dc, font_);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  lineHeight_ = std::max<int>(1, metrics.tmHeight);
  ::SelectObject(dc, old);
  ::ReleaseDC(hwnd_, dc);
}

ReportViewPrototype::~ReportViewPrototype() {
  if (hwnd_) ::DestroyWindow(hwnd_);
}

void ReportViewPrototype::SetText(std::wstring text) {
  text_ = std::move(text);
  lineStarts_.assign(1, 0);
  for (std::size_t at = text_.find(L'\n'); at != std::wstring::npos;
       at = text_.find(L'\n', at + 1)) {
    lineStarts_.push_back(at + 1);
  }
  topLine_ = 0;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMax = static_cast<int>(lineStarts_.size()) - 1;
  info.nPage = static_cast<UINT>(VisibleLines());
  ::SetScrollInfo(hwnd_, SB_VERT, &info, TRUE);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

int ReportViewPrototype::VisibleLines() const {
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  return std::max(1, static_cast<int>(client.bottom / lineHeight_));
}

void ReportViewPrototype::ScrollTo(long long line) {
  const long long last = std::max<long long>(0, static_cast<long long>(lineStarts_.size()) - 1);
  topLine_ = std::clamp<long long>(line, 0, last);
  ::SetScrollPos(hwnd_, SB_VERT, static_cast<int>(topLine_), TRUE);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void ReportViewPrototype::Paint() {
  PAINTSTRUCT paint{};
  const HDC dc = ::BeginPaint(hwnd_, &paint);
  const HGDIOBJ old = ::SelectObject(dc, font_);
  const int lines = VisibleLines() + 1;
  for (int row = 0; row < lines; ++row) {
    const std::size_t line = static_cast<std::size_t>(topLine_) + static_cast<std::size_t>(row);
    if (line >= lineStarts_.size()) break;
    const std::size_t start = lineStarts_[line];
    std::size_t end = line + 1 < lineStarts_.size() ? lineStarts_[line + 1] : text_.size();
    while (end > start && (text_[end - 1] == L'\n' || text_[end - 1] == L'\r')) --end;
    ::TextOutW(dc, 2, row * lineHeight_, text_.data() + start, static_cast<int>(end - start));
  }
  ::SelectObject(dc, old);
  ::EndPaint(hwnd_, &paint);
}

LRESULT CALLBACK ReportViewPrototype::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<ReportViewPrototype*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self || !self->hwnd_) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  return self->OnMessage(message, wParam, lParam);
}

LRESULT ReportViewPrototype::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(text_.size());
    case WM_GETTEXT: {
      const std::size_t room = static_cast<std::size_t>(wParam);
      if (room == 0) return 0;
      const std::size_t copied = std::min(room - 1, text_.size());
      auto* out = reinterpret_cast<wchar_t*>(lParam);
      std::copy_n(text_.data(), copied, out);
      out[copied] = L'\0';
      return static_cast<LRESULT>(copied);
    }
    case WM_VSCROLL:
      switch (LOWORD(wParam)) {
        case SB_LINEUP:
          ScrollTo(topLine_ - 1);
          break;
        case SB_LINEDOWN:
          ScrollTo(topLine_ + 1);
          break;
        case SB_PAGEUP:
          ScrollTo(topLine_ - VisibleLines());
          break;
        case SB_PAGEDOWN:
          ScrollTo(topLine_ + VisibleLines());
          break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
          ScrollTo(HIWORD(wParam));
          break;
        default:
          break;
      }
      return 0;
    default:
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

}  // namespace pravex::bench
