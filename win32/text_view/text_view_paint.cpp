// Painting: only the lines on screen, into a memory DC first so that
// nothing flickers, each character placed at the advance the layout used.
#include <optional>

#include "win32/text_view/gdi_scope.h"
#include "win32/text_view/text_view.h"

namespace pravex::win32 {

namespace {

// Some GDI drivers refuse very long strings: long lines go in pieces.
constexpr std::size_t kMaxRun = 2048;

}  // namespace

void TextView::Paint(HDC target, const RECT& dirty) {
  ShownLines();  // first: it may move the top line
  if (::IsRectEmpty(&dirty)) return;
  const int width = dirty.right - dirty.left;
  const int height = dirty.bottom - dirty.top;
  UniqueMemoryDc memory(::CreateCompatibleDC(target));
  UniqueBitmap bitmap(memory ? ::CreateCompatibleBitmap(target, width, height) : nullptr);
  std::optional<SelectedObject> selectedBitmap;
  HDC dc = target;  // without memory for a bitmap, straight onto the screen
  if (bitmap) {
    selectedBitmap.emplace(memory.get(), bitmap.get());
    dc = memory.get();
    ::SetViewportOrgEx(dc, -dirty.left, -dirty.top, nullptr);
  }

  ::FillRect(dc, &dirty, ::GetSysColorBrush(COLOR_WINDOW));
  {
    SelectedObject font(dc, FontOrSystem());
    ::SetBkMode(dc, TRANSPARENT);
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const RECT area = TextArea();
    const int page = VisibleLines();
    // Only whole lines are shown, as in the edit control.
    const RECT clip{client.left + 1, area.top, client.right - 1, area.top + page * lineHeight_};
    for (int row = 0; row < page; ++row) {
      const std::optional<text::Span> line = ShownLine(topLine_ + static_cast<std::size_t>(row));
      if (!line) break;
      const int top = area.top + row * lineHeight_;
      if (top >= dirty.bottom) break;
      if (top + lineHeight_ <= dirty.top) continue;
      PaintLine(dc, *line, area.left, top, clip);
    }
  }
  if (dc != target) {
    ::BitBlt(target, dirty.left, dirty.top, width, height, dc, dirty.left, dirty.top, SRCCOPY);
  }
}

void TextView::PaintLine(HDC dc, text::Span line, int left, int top, const RECT& clip) {
  const std::size_t start = line.start;
  const std::size_t end = line.end;
  const int tabWidth = model_.Layout().Options().tabWidth;

  // Tabs and NULs are drawn as blanks of their advance; what lies past the
  // right edge (blanks hanging there) is not drawn at all.
  drawnChars_.clear();
  drawnAdvances_.clear();
  int x = 0;
  for (std::size_t i = start; i < end && left + x < clip.right; ++i) {
    const wchar_t c = Text()[i];
    const int advance = text::AdvanceAt(model_.Advances(), c, x, tabWidth);
    drawnChars_.push_back(text::IsBlank(c) ? L' ' : c);
    drawnAdvances_.push_back(advance);
    x += advance;
  }
  const std::size_t count = drawnChars_.size();

  // The selection shows only while the view has the focus.
  std::size_t selectedFrom = count;
  std::size_t selectedTo = count;
  if (focused_ && HasSelection()) {
    selectedFrom = std::clamp(SelectionStart(), start, start + count) - start;
    selectedTo = std::clamp(SelectionEnd(), start, start + count) - start;
  }
  const RECT lineClip{clip.left, top, clip.right, std::min<LONG>(top + lineHeight_, clip.bottom)};
  const COLORREF textColor =
      ::GetSysColor(::IsWindowEnabled(hwnd_) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);

  int runLeft = left;
  auto drawRun = [&](std::size_t from, std::size_t to, bool selected) {
    for (std::size_t piece = from; piece < to; piece += kMaxRun) {
      const std::size_t pieceEnd = std::min(to, piece + kMaxRun);
      int pieceWidth = 0;
      for (std::size_t i = piece; i < pieceEnd; ++i) pieceWidth += drawnAdvances_[i];
      if (selected) {
        RECT highlight{runLeft, top, runLeft + pieceWidth, top + lineHeight_};
        ::IntersectRect(&highlight, &highlight, &lineClip);
        ::FillRect(dc, &highlight, ::GetSysColorBrush(COLOR_HIGHLIGHT));
      }
      ::SetTextColor(dc, selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : textColor);
      ::ExtTextOutW(dc, runLeft, top, ETO_CLIPPED, &lineClip, drawnChars_.data() + piece,
                    static_cast<UINT>(pieceEnd - piece), drawnAdvances_.data() + piece);
      runLeft += pieceWidth;
    }
  };
  drawRun(0, selectedFrom, false);
  drawRun(selectedFrom, selectedTo, true);
  drawRun(selectedTo, count, false);
}

}  // namespace pravex::win32
