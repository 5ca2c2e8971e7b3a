// The program's multi-line text box: an editable, word-wrapping text view
// that keeps its text once and lays out and paints only what is on screen,
// so a report of many megabytes opens at once and resizes without delay.
//
// Window class "PravexTextView". It answers the messages an edit control's
// users send (WM_SETTEXT, WM_GETTEXT, WM_SETFONT, EM_GETSEL, EM_SETSEL,
// EM_REPLACESEL, WM_COPY, the EM_ line messages...), notifies its parent as
// an edit control does (EN_CHANGE, EN_SETFOCUS, EN_KILLFOCUS), and the form
// code in this process reaches its text directly through FromHandle. To
// assistive technology it is an editable text box: through WM_GETOBJECT
// it hands out an Active Accessibility object and a UI Automation provider
// with the Value and Text patterns, and it signals changes of its text,
// selection and caret.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/detached_lines.h"
#include "text/edit_model.h"
#include "text/line_layout.h"
#include "text/text_range.h"
#include "win32/text_view/com_support.h"
#include "win32/text_view/text_view_link.h"

namespace pravex::win32 {

inline constexpr wchar_t kTextViewClassName[] = L"PravexTextView";

class TextView {
 public:
  // Registers the window class once; false if that failed.
  static bool RegisterWindowClass(HINSTANCE instance);
  // The view of a window of that class in this process, else null.
  static TextView* FromHandle(HWND hwnd);

  explicit TextView(HWND hwnd);
  TextView(const TextView&) = delete;
  TextView& operator=(const TextView&) = delete;
  ~TextView();

  // Takes the text over without copying it. The caret goes to the start,
  // nothing is selected and the view shows the top; the text counts as
  // unmodified and the parent hears EN_CHANGE, as for WM_SETTEXT. Strong
  // guarantee.
  void SetText(std::wstring text);
  const std::wstring& Text() const { return model_.Text(); }

  // --- For the accessible objects (text_view_accessibility.cpp) -------------
  // What each of them holds of the view.
  const std::shared_ptr<TextViewLink>& Link() const { return link_; }
  HWND Window() const { return hwnd_; }
  bool HasFocus() const { return focused_; }
  const text::LineLayout& Layout() { return Lines(); }
  text::Span Selection() const { return model_.Selection(); }
  // The characters of the lines on screen.
  text::Span VisibleSpan();
  // The caret position nearest a point on the screen.
  std::size_t PosAtScreenPoint(POINT screen);
  // Screen rectangles of the span's characters on the lines on screen, one a line.
  std::vector<RECT> ScreenRectsOf(text::Span span);
  // Selects the span, the caret at its end, and brings it into view.
  void SelectSpan(text::Span span);
  // Scrolls the span's first line to the top, or its last to the bottom.
  void ScrollIntoView(text::Span span, bool alignToTop);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void TakeText(std::wstring text);  // SetText without notifying anyone

  // Assistive technology and notifications (text_view_accessibility.cpp).
  LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
  LRESULT AnswerGetObject(WPARAM wParam, LPARAM lParam);
  void Disconnect();  // at WM_DESTROY
  // Signals what changed since the last call: the text, the selection. Run
  // after each message, so that listeners see the view whole.
  void NotifyChanges();
  void NotifyParent(WORD code);
  void RaiseUiaEvent(int eventId);

  // The edit control's line messages (text_view_lines.cpp).
  std::size_t LineOfCharMessage(WPARAM pos);
  LRESULT LineIndexMessage(WPARAM line);
  LRESULT LineLengthMessage(WPARAM pos);
  LRESULT GetLineMessage(WPARAM line, LPARAM buffer);
  LRESULT PosFromCharMessage(WPARAM pos);
  LRESULT CharFromPosMessage(LPARAM point);
  void LineScrollMessage(LPARAM lines);

  // The input method's composition window (text_view_ime.cpp).
  LRESULT OnImeComposition(WPARAM wParam, LPARAM lParam);
  void PlaceCompositionWindow();

  // Metrics (text_view.cpp) and layout (text_view_layout.cpp).
  HFONT FontOrSystem() const;
  void SetFont(HFONT font, bool redraw);
  void MeasureFont();
  void MeasureBlock(char16_t first, text::CharAdvances::Block& widths) const;
  RECT TextArea() const;  // where lines are drawn, in client pixels
  int VisibleLines() const;
  int WrapWidth() const;
  text::WrapOptions CurrentWrap() const;
  // The layout of the whole text, brought up to date first. Every use of
  // the lines goes through here or the two below, so that a hidden view may
  // put its layout off.
  const text::LineLayout& Lines() { return LinesThrough(Text().size()); }
  // The layout as far as the character at `pos` at least. A large text is
  // first laid out only as far as the screen needs; the rest follows in
  // pieces while the window has nothing else to do (ContinueLayout).
  const text::LineLayout& LinesThrough(std::size_t pos);
  // The lines on screen laid out: by the layout from the start, or by
  // detached lines where the view is ahead of it.
  void ShownLines();
  // Lays the text out anew after a change of width or font, keeping the
  // character at the top, as far as `pos`.
  void StartLayout(std::size_t pos);
  // After the top line was set anew: the screen laid out, the last page
  // full, the scroll bar and the caret where they belong.
  void ShowFromTopLine();
  // On a timer: lays out on while no input, paint or message waits.
  void ContinueLayout();
  void KeepLayingOut();
  // What follows when the layout from the start has grown: the detached
  // lines go once it reaches them, and stay numbered beyond it until then.
  void LayoutGrew();
  // The line count, estimated from the part laid out while the rest is not.
  std::size_t LineCountForScrolling() const;
  void Relayout();
  void OnSize();

  // Where the view is ahead of the layout from the start (text_view_layout.cpp).
  // Shows the lines around the character at `pos`, with `rowsAbove` of them
  // above its line if there are; the top line gets the number `topNumber`,
  // or one estimated from the lines before. False when no lines could be
  // laid out there on their own.
  bool Detach(std::size_t pos, std::size_t rowsAbove, std::optional<std::size_t> topNumber);
  // Back to the layout from the start, at the same top character.
  void Reattach();
  // The detached lines cover the screen, the text's end at its bottom.
  void FillDetached();
  // The character at the top of the view.
  std::size_t TopChar() const;
  // The characters of a line as shown, or nothing past the last line.
  std::optional<text::Span> ShownLine(std::size_t line) const;

  // Scrolling (text_view_scroll.cpp).
  void SetTopLine(long long line);
  // Moves the top to `line`, which lies within LineCountForScrolling(), and
  // lays out what it needs.
  void MoveTopTo(std::size_t line);
  void ClampTopLine();
  void UpdateScrollBar();
  void OnVScroll(WORD request, WORD position);
  long long ThumbPosition(WORD position) const;
  void OnMouseWheel(short delta);

  // Caret and selection (text_view_caret.cpp).
  std::size_t SelectionStart() const { return model_.SelectionStart(); }
  std::size_t SelectionEnd() const { return model_.SelectionEnd(); }
  bool HasSelection() const { return model_.HasSelection(); }
  std::size_t CaretLine();
  bool IsWrappedLineEnd(std::size_t line, std::size_t pos);
  POINT PointOf(std::size_t line, std::size_t pos);
  std::size_t PosFromPoint(POINT point, bool& atLineEnd);
  void Select(std::size_t anchor, std::size_t caret, bool atLineEnd = false);
  // Repaints what went into or out of the selection, which was `before`.
  void SelectionChanged(text::Span before);
  void ScrollToCaret();
  void ShowFocusCaret();
  void PlaceCaret();
  // Where the caret goes while it is past the layout from the start.
  POINT CaretPointAhead();
  void InvalidateBetween(std::size_t a, std::size_t b);
  void InvalidateFromLine(std::size_t line);

  // Editing (text_view_edit.cpp): the model edits; the view repaints and
  // scrolls what changed, and NotifyChanges tells of it.
  void AfterEdit(const text::Edit& edit);
  // The same, and the caret brought into view.
  void AfterCaretEdit(const text::Edit& edit);
  void ReplaceSelection(std::wstring_view insert, text::EditKind kind = text::EditKind::kOther);
  void DeleteForward();
  void DeleteBackward();
  void Undo();
  void Copy();
  void Cut();
  void Paste();
  void SetSelectionFromMessage(WPARAM start, LPARAM end);
  LRESULT SelectionForMessage(WPARAM startOut, LPARAM endOut) const;
  LRESULT CopyTextOut(WPARAM room, LPARAM buffer) const;

  // Keyboard, mouse and context menu (text_view_input.cpp).
  bool OnKeyDown(WPARAM key);
  void OnChar(wchar_t c);
  void InsertTyped(std::wstring_view typed);
  void MoveCaretTo(std::size_t pos, bool atLineEnd, bool extend);
  void MoveVertically(long long lines, bool extend);
  void OnButtonDown(POINT point, bool extend);
  void OnDoubleClick(POINT point);
  void OnMouseMove(POINT point);
  void OnDragTimer();
  void StopDragging();
  void ShowContextMenu(POINT screenPoint);
  LRESULT DialogCode(const MSG* message) const;

  // Painting (text_view_paint.cpp).
  void Paint(HDC target, const RECT& dirty);
  void PaintLine(HDC dc, text::Span line, int left, int top, const RECT& clip);

  // About a millisecond's layout: what is nearer than this is laid out from
  // the start when the view goes there; what is further, on its own.
  static constexpr std::size_t kLayoutPiece = 1u << 20;
  // Lays out on when nothing else waits: timer messages come last.
  static constexpr UINT_PTR kLayoutTimer = 2;

  HWND hwnd_;
  HFONT font_ = nullptr;  // the parent's; null for the system font
  // The text, its layout (read through Lines()), caret, anchor and undo.
  text::EditModel model_;
  // A hidden view lays its text out when it is shown or asked about its
  // lines: a result window gets its report and then its size before it
  // shows, and 20 MB wrapped twice would double the wait.
  bool layoutStale_ = false;
  std::size_t firstShownWhenStale_ = 0;  // the character to keep at the top
  bool layoutTimer_ = false;             // the timer lays out on
  bool framePainted_ = false;            // the scroll bar has been drawn once
  // Where the view is ahead of the layout from the start: the lines on
  // screen, laid out on their own, the first numbered by an estimate.
  std::optional<text::DetachedLines> detached_;
  std::size_t detachedFirstLine_ = 0;
  // Counts the times the lines were numbered anew (detached, reattached):
  // a scroll across that cannot move what stays on screen.
  unsigned numbering_ = 0;

  int lineHeight_ = 16;
  int averageCharWidth_ = 7;
  int leftMargin_ = 0;
  int rightMargin_ = 0;

  std::size_t topLine_ = 0;
  int wheelRemainder_ = 0;
  bool trackingScrollBar_ = false;  // the system's loop for the scroll bar runs

  std::optional<text::LineX> goalX_;  // the column Up and Down keep to
  bool focused_ = false;
  bool dragging_ = false;
  bool dragTimer_ = false;

  // The first half of a surrogate pair typed, waiting for the second.
  wchar_t pendingHighSurrogate_ = 0;
  bool composing_ = false;  // between the input method's start and end of composition

  // What assistive technology was last told.
  bool textChanged_ = false;
  std::size_t notifiedAnchor_ = 0;
  std::size_t notifiedCaret_ = 0;
  std::optional<POINT> shownCaretAt_;
  std::shared_ptr<TextViewLink> link_;
  ComRef<IUnknown> uiaProvider_;  // made at the first request

  // Reused while painting a line: its characters as drawn and their advances.
  std::wstring drawnChars_;
  std::vector<int> drawnAdvances_;
};

}  // namespace pravex::win32
