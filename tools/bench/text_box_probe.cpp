// text_box_probe.exe: what each step Pravex takes after the interpreter has
// ended costs under Wine, in time and memory, with the system's edit control
// as the text box: reading the report, turning its bytes into text,
// composing the window's text and handing it to a text box built like the
// result window's. The variants build the text box in other ways, so that a
// change can be judged on figures before it is made. With --stay the window
// stays open afterwards, its text box following the window's size as the
// result window's does, for the benchmark to time interactions with the
// system's text box.
//
//   text_box_probe.exe --bytes=N [--variant=pravex|fitted-first|no-wrap] [--stay]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "diagnosis/classification.h"
#include "forms/form.h"
#include "forms/results/result_family.h"
#include "forms/results/result_form_def.h"
#include "tests/e2e/driver/ansi_text.h"
#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/window_probe.h"
#include "tools/bench/interaction_runs.h"
#include "tools/bench/probe_report.h"
#include "win32/dpi.h"
#include "win32/fonts.h"
#include "win32/handles.h"

namespace {

using namespace pravex;
using win32::PixelsToTwips;
using win32::TwipsToPixels;

constexpr wchar_t kReportPath[] = L"C:\\pravex_probe_report.txt";

struct Variant {
  std::wstring_view name;
  bool fittedFirst;  // the text box given its final size before its text
  bool wordWrap;     // or a horizontal scroll bar instead
};
constexpr Variant kVariants[] = {
    {L"pravex", false, true},  // the edit control as Pravex used it before its own text view
    {L"fitted-first", true, true},
    {L"no-wrap", false, false},
};

// The result window's table entries, the screen's DPI and the text box's font.
struct Probe {
  const FormDef& def = ResultFormDef(ResultKind::kResult);
  const ControlDef& textDef =
      def.controls[static_cast<std::size_t>(ControlId(def, L"Text1") - kFirstControlId)];
  UINT dpi = static_cast<UINT>(e2e::ScreenDpi());
  win32::UniqueFont font = win32::CreateFormFont(EffectiveFont(def, textDef), dpi);

  int Pixels(int twips) const { return TwipsToPixels(twips, dpi); }
};

// One table row per step: its time, and the probe's memory after it.
class StageLog {
 public:
  void Mark(const char* stage) {
    const e2e::WorkingSet memory = e2e::WorkingSetOf(::GetCurrentProcess());
    std::printf("| %s | %.0f ms | %.1f MB | %.1f MB |\n", stage, clock_.ElapsedMs(),
                memory.bytes / 1e6, memory.peakBytes / 1e6);
    std::fflush(stdout);
    clock_ = e2e::Stopwatch();
  }

 private:
  e2e::Stopwatch clock_;
};

// What the window needs to keep its text box fitted once the steps are done.
struct Fitting {
  const Probe* probe = nullptr;
  HWND text = nullptr;
};

void FitTextBox(const Probe& probe, HWND frame, HWND text);

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* fitting = reinterpret_cast<const Fitting*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (fitting && message == WM_SIZE) FitTextBox(*fitting->probe, hwnd, fitting->text);
  if (fitting && message == WM_DESTROY) ::PostQuitMessage(0);
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND CreateFrame(const Probe& probe) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &FrameProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = pravex::bench::kProbeWindowClass;
  ::RegisterClassExW(&wc);
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  RECT outer{0, 0, probe.Pixels(probe.def.client.width), probe.Pixels(probe.def.client.height)};
  ::AdjustWindowRectEx(&outer, style, FALSE, 0);
  return ::CreateWindowExW(
      0, pravex::bench::kProbeWindowClass, std::wstring(probe.def.caption).c_str(), style, 0, 0,
      outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, wc.hInstance, nullptr);
}

HWND CreateTextBox(const Probe& probe, HWND frame, const Variant& variant) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_MULTILINE | ES_AUTOVSCROLL |
                ES_WANTRETURN | WS_VSCROLL;
  if (!variant.wordWrap) style |= ES_AUTOHSCROLL | WS_HSCROLL;
  const TwipsRect& r = probe.textDef.rect;
  const HWND text =
      ::CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"", style, probe.Pixels(r.left),
                        probe.Pixels(r.top), probe.Pixels(r.width), probe.Pixels(r.height), frame,
                        nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(text, EM_SETLIMITTEXT, 0, 0);
  ::SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(probe.font.get()), TRUE);
  return text;
}

// What the result window's Form_Resize does: the text box follows the
// window's outer size, its width first, then its height.
void FitTextBox(const Probe& probe, HWND frame, HWND text) {
  RECT outer{};
  ::GetWindowRect(frame, &outer);
  const TwipsSize size = FittedTextSize({PixelsToTwips(outer.right - outer.left, probe.dpi),
                                         PixelsToTwips(outer.bottom - outer.top, probe.dpi)},
                                        300, 1200);
  const TwipsRect& r = probe.textDef.rect;
  ::MoveWindow(text, probe.Pixels(r.left), probe.Pixels(r.top), probe.Pixels(size.width),
               probe.Pixels(r.height), TRUE);
  ::MoveWindow(text, probe.Pixels(r.left), probe.Pixels(r.top), probe.Pixels(size.width),
               probe.Pixels(size.height), TRUE);
}

// Pravex's steps, with the edit control built one way or another; the
// length of the text the text box ends up holding. With `stay`, the window
// then stays, fitting its text box to its size, until it is closed.
LRESULT RunTextBox(const Probe& probe, const Variant& variant, StageLog& log, bool stay) {
  std::string bytes = e2e::ReadFileBytes(kReportPath).value_or("");
  log.Mark("read the report file");
  // Pravex keeps the report's text for the whole run.
  const std::wstring report = e2e::AnsiToWide(bytes);
  bytes = std::string();
  log.Mark("turn its bytes into text (ANSI code page)");
  if (!Classify(report, ConfiguredTable()).valid) {
    std::fprintf(stderr, "the sample report does not pass for a valid one\n");
  }
  log.Mark("classify the report");
  const win32::UniqueWindow frame(CreateFrame(probe));
  const HWND text = CreateTextBox(probe, frame.get(), variant);
  log.Mark("create the window and its text box");
  if (variant.fittedFirst) {
    FitTextBox(probe, frame.get(), text);
    log.Mark("fit the text box to the window (empty)");
  }
  std::wstring composed = ComposeResultText(ResultKind::kResult, true, false, report);
  log.Mark("compose guidance, separator and report");
  {
    // Pravex's SetText: a copy with NULs made blanks, while the composed
    // text it was made from is still held.
    std::wstring copy(composed);
    std::replace(copy.begin(), copy.end(), L'\0', L' ');
    ::SetWindowTextW(text, copy.c_str());
  }
  composed = std::wstring();
  log.Mark("WM_SETTEXT with the whole text");
  if (!variant.fittedFirst) {
    FitTextBox(probe, frame.get(), text);
    log.Mark("fit the text box to the window (filled: width, then height)");
  }
  ::ShowWindow(frame.get(), SW_SHOWNORMAL);
  ::UpdateWindow(frame.get());
  log.Mark("show and paint");
  const LRESULT length = ::SendMessageW(text, WM_GETTEXTLENGTH, 0, 0);
  if (stay) {
    const Fitting fitting{&probe, text};
    ::SetWindowLongPtrW(frame.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&fitting));
    ::SetFocus(text);
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::SetWindowLongPtrW(frame.get(), GWLP_USERDATA, 0);
  }
  return length;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::uint64_t bytes = 0;
  bool stay = false;
  const Variant* variant = &kVariants[0];
  for (int i = 1; i < argc && variant; ++i) {
    const std::wstring argument = argv[i];
    if (argument.starts_with(L"--bytes=")) {
      bytes = std::wcstoull(argument.c_str() + 8, nullptr, 10);
      continue;
    }
    if (argument == L"--stay") {
      stay = true;
      continue;
    }
    variant = nullptr;
    for (const Variant& known : kVariants) {
      if (argument == L"--variant=" + std::wstring(known.name)) variant = &known;
    }
  }
  if (bytes == 0 || !variant) {
    std::fprintf(stderr,
                 "usage: text_box_probe.exe --bytes=N [--variant=pravex|fitted-first|no-wrap] "
                 "[--stay]\n");
    return 2;
  }
  // Staying, it hosts a text box for the benchmark, which shares its output
  // and times what it wants itself.
  if (stay && !std::freopen("NUL", "w", stdout)) return 1;
  pravex::bench::WriteSampleReport(kReportPath, bytes);
  const Probe probe;
  std::printf(
      "| step | time | working set after | peak working set after |\n|---|---:|---:|---:|\n");
  StageLog log;
  log.Mark("start (report file written)");
  const LRESULT length = RunTextBox(probe, *variant, log, stay);
  std::printf("\ntext box holds %ld characters for a report of %llu bytes\n",
              static_cast<long>(length), static_cast<unsigned long long>(bytes));
  e2e::DeleteFileIfPresent(kReportPath);
  return length >= static_cast<LRESULT>(bytes) ? 0 : 1;
}
