// The layout as the view needs it: the first screen at once, the rest while
// the window has nothing else to do, and lines laid out on their own where
// the view goes ahead of the layout from the start.
#include <chrono>

#include "win32/text_view/text_view.h"

namespace pravex::win32 {

namespace {

// Laid out between two looks at the message queue: a fraction of a
// millisecond, so that a key or a paint waits no longer than that.
constexpr std::size_t kLayoutSlice = 1u << 17;
// The longest the layout keeps the thread at one time: a frame stays free.
constexpr std::chrono::milliseconds kLayoutBurst{8};

// Whether anything waits for the view's thread that comes before layout:
// the user's input, a paint, a message posted or sent.
bool SomethingWaits() {
  return HIWORD(::GetQueueStatus(QS_KEY | QS_MOUSE | QS_PAINT | QS_POSTMESSAGE | QS_SENDMESSAGE |
                                 QS_HOTKEY)) != 0;
}

}  // namespace

const text::LineLayout& TextView::LinesThrough(std::size_t pos) {
  if (layoutStale_) StartLayout(pos);
  if (!model_.Layout().Complete() && pos >= model_.Layout().LaidTo()) {
    model_.Layout().Extend(Text(), model_.Advances(), pos);
    LayoutGrew();
  }
  if (!model_.Layout().Complete()) KeepLayingOut();
  return model_.Layout();
}

void TextView::StartLayout(std::size_t pos) {
  // Far into a large text, the top character is shown by lines laid out on
  // their own, ahead of the layout from the start.
  const std::size_t keep = firstShownWhenStale_;
  const bool ahead = keep > pos + kLayoutPiece;
  model_.Layout().WrapStart(Text(), model_.Advances(), CurrentWrap(),
                            ahead ? pos : std::max(pos, keep));
  layoutStale_ = false;
  detached_.reset();
  ++numbering_;
  if (!(ahead && keep >= model_.Layout().LaidTo() && Detach(keep, 0, std::nullopt))) {
    model_.Layout().Extend(Text(), model_.Advances(), keep);
    topLine_ = model_.Layout().LineOf(keep);
  }
  ShowFromTopLine();
}

void TextView::ShowFromTopLine() {
  ShownLines();
  ClampTopLine();
  UpdateScrollBar();
  PlaceCaret();
}

void TextView::ShownLines() {
  LinesThrough(0);
  if (detached_) {
    FillDetached();
    return;
  }
  // Text a screen's worth of lines could not use up: wide lines of one
  // character each, at most.
  const std::size_t page = static_cast<std::size_t>(VisibleLines()) + 1;
  while (!model_.Layout().Complete() && model_.Layout().LineCount() <= topLine_ + page) {
    LinesThrough(model_.Layout().LaidTo() + kLayoutPiece / 64);
  }
}

void TextView::KeepLayingOut() {
  if (!layoutTimer_) {
    layoutTimer_ = ::SetTimer(hwnd_, kLayoutTimer, USER_TIMER_MINIMUM, nullptr) != 0;
  }
}

void TextView::ContinueLayout() {
  // Timer messages come only when nothing else waits; within one, slices
  // as long as that stays so and a frame's time is left.
  const auto until = std::chrono::steady_clock::now() + kLayoutBurst;
  while (!layoutStale_ && !model_.Layout().Complete() && !SomethingWaits() &&
         std::chrono::steady_clock::now() < until) {
    LinesThrough(model_.Layout().LaidTo() + kLayoutSlice);
  }
  if (layoutStale_ || model_.Layout().Complete()) {
    ::KillTimer(hwnd_, kLayoutTimer);
    layoutTimer_ = false;
  }
  if (!layoutStale_) UpdateScrollBar();  // the gauge follows what is laid out
}

void TextView::LayoutGrew() {
  if (detached_) {
    if (model_.Layout().LaidTo() >= detached_->First()) {
      Reattach();
      return;
    }
    // The estimate fell short: the detached lines stay numbered beyond the
    // laid ones.
    if (model_.Layout().LineCount() > detachedFirstLine_) {
      topLine_ += model_.Layout().LineCount() - detachedFirstLine_;
      detachedFirstLine_ = model_.Layout().LineCount();
      ++numbering_;
    }
  }
  if (model_.Layout().Complete()) {
    ClampTopLine();
    UpdateScrollBar();
  }
}

std::size_t TextView::LineCountForScrolling() const {
  if (layoutStale_ || model_.Layout().Complete()) return model_.Layout().LineCount();
  const std::size_t estimate = text::EstimatedLineCount(model_.Layout().LineCount(),
                                                        model_.Layout().LaidTo(), Text().size());
  if (!detached_) return estimate;
  const std::size_t detachedEnd = detachedFirstLine_ + detached_->LineCount();
  return detached_->ReachesEnd() ? detachedEnd : std::max(estimate, detachedEnd + 1);
}

void TextView::Relayout() {
  // The character at the top stays in view.
  if (!layoutStale_) {
    firstShownWhenStale_ = TopChar();
    layoutStale_ = true;
    detached_.reset();
    ++numbering_;
  }
  ::InvalidateRect(hwnd_, nullptr, FALSE);
  if (::IsWindowVisible(hwnd_)) ShownLines();
}

void TextView::OnSize() {
  if (layoutStale_ || WrapWidth() != model_.Layout().Options().width) {
    Relayout();
    return;
  }
  ClampTopLine();
  UpdateScrollBar();
  ::InvalidateRect(hwnd_, nullptr, FALSE);
  PlaceCaret();
}

// --- Ahead of the layout ----------------------------------------------------------

bool TextView::Detach(std::size_t pos, std::size_t rowsAbove,
                      std::optional<std::size_t> topNumber) {
  const auto page = static_cast<std::size_t>(VisibleLines());
  std::optional<text::DetachedLines> lines =
      text::DetachedLines::Around(Text(), model_.Advances(), model_.Layout().Options(), pos,
                                  model_.Layout().LaidTo(), rowsAbove, page + 1);
  if (!lines) return false;
  const std::size_t at = lines->LineOf(pos);
  const std::size_t top = at - std::min(at, rowsAbove);
  const std::size_t first =
      topNumber ? (*topNumber > top ? *topNumber - top : 0)
                : text::EstimatedLineCount(model_.Layout().LineCount(), model_.Layout().LaidTo(),
                                           lines->First());
  detached_ = std::move(lines);
  detachedFirstLine_ = std::max(first, model_.Layout().LineCount());
  topLine_ = detachedFirstLine_ + top;
  ++numbering_;
  FillDetached();
  return true;
}

void TextView::Reattach() {
  const std::size_t top = TopChar();
  detached_.reset();
  ++numbering_;
  model_.Layout().Extend(Text(), model_.Advances(), top);
  topLine_ = model_.Layout().LineOf(top);
  ShowFromTopLine();
}

void TextView::FillDetached() {
  const auto page = static_cast<std::size_t>(VisibleLines());
  std::size_t top = topLine_ - detachedFirstLine_;
  detached_->ExtendTo(Text(), model_.Advances(), top + page + 1);
  if (detached_->ReachesEnd() && top + page > detached_->LineCount()) {
    // The text ends on this screen: its last line goes to the bottom.
    const std::size_t missing = top + page - detached_->LineCount();
    if (missing > top) {
      const std::size_t added =
          detached_->Prepend(Text(), model_.Advances(), missing - top, model_.Layout().LaidTo());
      top += added;
      detachedFirstLine_ = std::max(detachedFirstLine_ - std::min(detachedFirstLine_, added),
                                    model_.Layout().LineCount());
      ++numbering_;
    }
    top -= std::min(top, missing);
  }
  topLine_ = detachedFirstLine_ + top;
  if (detached_->First() <= model_.Layout().LaidTo()) Reattach();  // nothing lies between them now
}

std::size_t TextView::TopChar() const {
  if (detached_) return detached_->LineStart(topLine_ - detachedFirstLine_);
  return model_.Layout().LineStart(std::min(topLine_, model_.Layout().LineCount() - 1));
}

std::optional<text::Span> TextView::ShownLine(std::size_t line) const {
  if (detached_ && line >= detachedFirstLine_) {
    const std::size_t local = line - detachedFirstLine_;
    if (local >= detached_->LineCount()) return std::nullopt;
    return text::Span{detached_->LineStart(local), detached_->LineEnd(Text(), local)};
  }
  if (line >= model_.Layout().LineCount()) return std::nullopt;
  return text::Span{model_.Layout().LineStart(line), model_.Layout().LineEnd(Text(), line)};
}

}  // namespace pravex::win32
