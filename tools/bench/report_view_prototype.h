// A read-only text view that keeps its text once and lays out only the
// lines on screen, for the probe to compare with the multi-line edit
// control: the kind of text box the result window would need to open a
// large report quickly. A sketch for figures: no selection, no wrapping.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace pravex::bench {

class ReportViewPrototype {
 public:
  ReportViewPrototype(HWND parent, const RECT& place, HFONT font);
  ReportViewPrototype(const ReportViewPrototype&) = delete;
  ReportViewPrototype& operator=(const ReportViewPrototype&) = delete;
  ~ReportViewPrototype();

  HWND Handle() const { return hwnd_; }
  // Takes the text over without copying it and finds where its lines start.
  void SetText(std::wstring text);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  void ScrollTo(long long line);
  int VisibleLines() const;

  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  int lineHeight_ = 16;
  long long topLine_ = 0;
  std::wstring text_;
  std::vector<std::size_t> lineStarts_;
};

}  // namespace pravex::bench
