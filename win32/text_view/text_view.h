// The program's multi-line text box: an editable, word-wrapping text view
// that keeps its text once and lays out and paints only what is on screen,
// so a report of many megabytes opens at once and resizes without delay.
//
// Window class "PravexTextView". It answers the messages an edit control's
// users send (WM_SETTEXT, WM_GETTEXT, WM_SETFONT, EM_GETSEL, EM_SETSEL,
// EM_REPLACESEL, WM_COPY...), and the form code in this process reaches
// its text directly through FromHandle.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win32/text_view/line_layout.h"

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
  // nothing is selected and the view shows the top. Strong guarantee.
  void SetText(std::wstring text);
  const std::wstring& Text() const { return text_; }

 private:
  enum class EditKind { kOther, kTyping };
  // One level of undo: undoing puts `removed` back in place of the
  // `inserted` characters at `pos`, and an undo can itself be undone.
  struct UndoStep {
    bool available = false;
    bool typing = false;  // typed characters in a row undo together
    std::size_t pos = 0;
    std::size_t inserted = 0;
    std::wstring removed;
  };

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Metrics and layout (text_view.cpp).
  HFONT FontOrSystem() const;
  void SetFont(HFONT font, bool redraw);
  void MeasureFont();
  void MeasureBlock(char16_t first, text_view::CharAdvances::Block& widths) const;
  RECT TextArea() const;  // where lines are drawn, in client pixels
  int VisibleLines() const;
  int WrapWidth() const;
  text_view::WrapOptions CurrentWrap() const;
  // The layout, brought up to date first. Every use of the lines goes
  // through here, so that a hidden view may put its layout off.
  const text_view::LineLayout& Lines();
  void Relayout();
  void OnSize();

  // Scrolling (text_view.cpp).
  void SetTopLine(long long line);
  void ClampTopLine();
  void UpdateScrollBar();
  void OnVScroll(WORD request);
  void OnMouseWheel(short delta);

  // Caret and selection (text_view_caret.cpp).
  std::size_t SelectionStart() const { return std::min(anchor_, caret_); }
  std::size_t SelectionEnd() const { return std::max(anchor_, caret_); }
  bool HasSelection() const { return anchor_ != caret_; }
  std::size_t CaretLine();
  bool IsWrappedLineEnd(std::size_t line, std::size_t pos);
  POINT PointOf(std::size_t line, std::size_t pos);
  std::size_t PosFromPoint(POINT point, bool& atLineEnd);
  void Select(std::size_t anchor, std::size_t caret, bool atLineEnd = false);
  void ScrollToCaret();
  void ShowFocusCaret();
  void PlaceCaret();
  void InvalidateBetween(std::size_t a, std::size_t b);
  void InvalidateFromLine(std::size_t line);

  // Editing (text_view_edit.cpp).
  void Replace(std::size_t pos, std::size_t count, std::wstring_view insert, EditKind kind);
  void ReplaceSelection(std::wstring_view insert, EditKind kind = EditKind::kOther);
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
  void PaintLine(HDC dc, std::size_t line, int left, int top, const RECT& clip);

  HWND hwnd_;
  HFONT font_ = nullptr;  // the parent's; null for the system font
  std::wstring text_;
  text_view::CharAdvances advances_;
  text_view::LineLayout layout_;  // read through Lines()
  // A hidden view lays its text out when it is shown or asked about its
  // lines: a result window gets its report and then its size before it
  // shows, and 20 MB wrapped twice would double the wait.
  bool layoutStale_ = false;
  std::size_t firstShownWhenStale_ = 0;  // the character to keep at the top

  int lineHeight_ = 16;
  int averageCharWidth_ = 7;
  int leftMargin_ = 0;
  int rightMargin_ = 0;

  std::size_t topLine_ = 0;
  int wheelRemainder_ = 0;

  std::size_t anchor_ = 0;
  std::size_t caret_ = 0;
  // At a wrap the caret may stand at the end of the upper line or at the
  // start of the lower one: the same text position.
  bool caretAtLineEnd_ = false;
  std::optional<int> goalX_;  // the column Up and Down keep to
  bool focused_ = false;
  bool dragging_ = false;
  bool dragTimer_ = false;

  UndoStep undo_;

  // Reused while painting a line: its characters as drawn and their advances.
  std::wstring drawnChars_;
  std::vector<int> drawnAdvances_;
};

}  // namespace pravex::win32
