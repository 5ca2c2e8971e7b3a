// Scrolling: by line, page, thumb and wheel, within the layout or ahead of it.
#include <climits>

#include "win32/text_view/text_view.h"

namespace pravex::win32 {

namespace {

// Lines in a scroll bar position: an int, as the system keeps them.
int ScrollPosition(std::size_t line) {
  return line > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(line);
}

}  // namespace

void TextView::ClampTopLine() {
  // Until the whole text is laid out, the last page is not known; detached
  // lines keep the text's end at the bottom themselves.
  if (layoutStale_ || detached_ || !model_.Layout().Complete()) return;
  const std::size_t page = static_cast<std::size_t>(VisibleLines());
  const std::size_t lines = model_.Layout().LineCount();
  topLine_ = std::min(topLine_, lines > page ? lines - page : 0);
}

void TextView::SetTopLine(long long line) {
  ShownLines();
  const long long lines = static_cast<long long>(LineCountForScrolling());
  const long long page = VisibleLines();
  const long long top = std::clamp(line, 0LL, std::max(0LL, lines - page));
  const unsigned numbering = numbering_;
  const std::size_t before = topLine_;
  MoveTopTo(static_cast<std::size_t>(top));
  const long long delta = static_cast<long long>(topLine_) - static_cast<long long>(before);
  if (delta == 0 && numbering == numbering_) return;

  RECT band = TextArea();
  band.left -= leftMargin_;
  band.right += rightMargin_;
  band.bottom = band.top + static_cast<int>(page) * lineHeight_;
  if (numbering == numbering_ && delta > -page && delta < page) {
    // Move what stays visible; only the lines scrolled in are painted.
    if (focused_) ::HideCaret(hwnd_);
    ::ScrollWindowEx(hwnd_, 0, static_cast<int>(-delta * lineHeight_), &band, &band, nullptr,
                     nullptr, SW_INVALIDATE);
    if (focused_) ::ShowCaret(hwnd_);
  } else {
    ::InvalidateRect(hwnd_, &band, FALSE);
  }
  UpdateScrollBar();
  PlaceCaret();
}

void TextView::MoveTopTo(std::size_t line) {
  const auto page = static_cast<std::size_t>(VisibleLines());
  if (detached_) {
    const std::size_t first = detachedFirstLine_;
    if (line >= first && line <= first + detached_->LineCount() + 2 * page) {
      topLine_ = line;  // among the detached lines or just below them
      FillDetached();
      return;
    }
    if (line < first && first - line <= 2 * page) {
      // Just above them: earlier lines go in front, numbered down from the
      // first while the estimate leaves room above the laid ones.
      const std::size_t top = topLine_ - first;
      const std::size_t up = topLine_ - line;
      const std::size_t added =
          detached_->Prepend(Text(), model_.Advances(), first - line, model_.Layout().LaidTo());
      if (added > 0) {
        if (first >= added && first - added >= model_.Layout().LineCount()) {
          detachedFirstLine_ = first - added;
        } else {
          detachedFirstLine_ = model_.Layout().LineCount();
          ++numbering_;
        }
        topLine_ = detachedFirstLine_ + (top + added - std::min(top + added, up));
        FillDetached();
        return;
      }
    }
    detached_.reset();
    ++numbering_;
  }
  if (model_.Layout().Complete() || line + page < model_.Layout().LineCount()) {
    topLine_ = line;
    return;
  }
  // Beyond the layout from the start: near enough, it lays on to there;
  // further, the lines there are laid out on their own.
  const bool bottom = line + page >= LineCountForScrolling();
  const std::size_t pos = bottom
                              ? Text().size()
                              : text::EstimatedLineStart(line, model_.Layout().LineCount(),
                                                         model_.Layout().LaidTo(), Text().size());
  if (pos >= model_.Layout().LaidTo() + kLayoutPiece && Detach(pos, bottom ? page - 1 : 0, line))
    return;
  topLine_ = line;
  ShownLines();
  ClampTopLine();
}

void TextView::UpdateScrollBar() {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  ShownLines();
  info.nMax = ScrollPosition(LineCountForScrolling() - 1);
  info.nPage = static_cast<UINT>(VisibleLines());
  info.nPos = ScrollPosition(topLine_);
  // Until the frame has been painted once, the scroll bar waits for that
  // paint: drawing it at once as well would cost a second drawing.
  ::SetScrollInfo(hwnd_, SB_VERT, &info, framePainted_);
}

long long TextView::ThumbPosition(WORD position) const {
  // The message carries 16 bits of the position. During a real drag the
  // scroll bar holds all 32 of the tracking position, whose low 16 bits are
  // the message's; any other sender (assistive technology, automation)
  // means the 16 bits it sent, as for the system's text box.
  if (trackingScrollBar_) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_TRACKPOS;
    if (::GetScrollInfo(hwnd_, SB_VERT, &info) && LOWORD(info.nTrackPos) == position) {
      return info.nTrackPos;
    }
  }
  return position;
}

void TextView::OnVScroll(WORD request, WORD position) {
  const long long top = static_cast<long long>(topLine_);
  const long long page = VisibleLines();
  switch (request) {
    case SB_LINEUP:
      SetTopLine(top - 1);
      break;
    case SB_LINEDOWN:
      SetTopLine(top + 1);
      break;
    case SB_PAGEUP:
      SetTopLine(top - page);
      break;
    case SB_PAGEDOWN:
      SetTopLine(top + page);
      break;
    case SB_TOP:
      SetTopLine(0);
      break;
    case SB_BOTTOM:
      SetTopLine(LLONG_MAX / 2);
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      SetTopLine(ThumbPosition(position));
      break;
    default:
      break;
  }
}

void TextView::OnMouseWheel(short delta) {
  UINT linesPerNotch = 3;
  ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &linesPerNotch, 0);
  if (linesPerNotch == 0) return;
  if (linesPerNotch == WHEEL_PAGESCROLL) linesPerNotch = static_cast<UINT>(VisibleLines());
  // Fine-grained wheels send less than a notch at a time: keep the rest.
  wheelRemainder_ += delta;
  const long long lines = static_cast<long long>(wheelRemainder_) * linesPerNotch / WHEEL_DELTA;
  if (lines == 0) return;
  wheelRemainder_ -= static_cast<int>(lines * WHEEL_DELTA / static_cast<long long>(linesPerNotch));
  SetTopLine(static_cast<long long>(topLine_) - lines);
}

}  // namespace pravex::win32
