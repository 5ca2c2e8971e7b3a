// text_box_probe.exe: what each step Pravex takes after the interpreter has
// ended costs under Wine, step by step, in time and memory: reading the
// report, turning its bytes into text, composing the window's text, and
// handing it to a text box built like the result window's. Other ways of
// building the text box run through the same steps, so that a change to
// Pravex can be judged on figures before it is made.
//
//   text_box_probe.exe --bytes=N --variant=pravex|fitted-first|no-wrap|rich-edit
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "forms/main/classification.h"
#include "forms/results/help_form.h"
#include "forms/results/result_family.h"
#include "tests/e2e/driver/ansi_text.h"
#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/window_probe.h"
#include "tools/bench/probe_report.h"
#include "win32/dpi.h"
#include "win32/fonts.h"
#include "win32/handles.h"

namespace {

using namespace pravex;
using namespace pravex::bench;
using win32::PixelsToTwips;
using win32::TwipsToPixels;

constexpr wchar_t kReportPath[] = L"C:\\pravex_probe_report.txt";
constexpr wchar_t kWindowClass[] = L"PravexProbeWindow";

enum class Variant {
  kPravex,       // the edit control, as Pravex used it before its own text view
  kFittedFirst,  // the text box given its final size before its text
  kNoWrap,       // no word wrap: a horizontal scroll bar instead
  kRichEdit,     // the rich edit control, fitted first
};

struct Options {
  std::uint64_t bytes = 0;
  Variant variant = Variant::kPravex;
};

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring argument = argv[i];
    if (argument.starts_with(L"--bytes=")) {
      options.bytes = std::wcstoull(argument.c_str() + 8, nullptr, 10);
    } else if (argument == L"--variant=pravex") {
      options.variant = Variant::kPravex;
    } else if (argument == L"--variant=fitted-first") {
      options.variant = Variant::kFittedFirst;
    } else if (argument == L"--variant=no-wrap") {
      options.variant = Variant::kNoWrap;
    } else if (argument == L"--variant=rich-edit") {
      options.variant = Variant::kRichEdit;
    } else {
      return false;
    }
  }
  return options.bytes > 0;
}

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

// The same reading loop as Pravex's: 1 MB at a time into a string sized
// up front.
std::string ReadReport() {
  const win32::UniqueFile file(::CreateFileW(kReportPath, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                             OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  std::string bytes;
  LARGE_INTEGER size{};
  if (::GetFileSizeEx(file.get(), &size)) bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  std::vector<char> buffer(1u << 20);
  DWORD read = 0;
  while (::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) &&
         read > 0) {
    bytes.append(buffer.data(), read);
  }
  return bytes;
}

LRESULT CALLBACK ProbeWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND CreateFrame(const FormDef& def, UINT dpi) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &ProbeWindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  ::RegisterClassExW(&wc);
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  RECT outer{0, 0, TwipsToPixels(def.client.width, dpi), TwipsToPixels(def.client.height, dpi)};
  ::AdjustWindowRectEx(&outer, style, FALSE, 0);
  return ::CreateWindowExW(0, kWindowClass, std::wstring(def.caption).c_str(), style, 0, 0,
                           outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

HWND CreateTextBox(HWND frame, const ControlDef& control, Variant variant, HFONT font, UINT dpi) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_MULTILINE | ES_AUTOVSCROLL |
                ES_WANTRETURN | WS_VSCROLL;
  const wchar_t* windowClass = L"Edit";
  if (variant == Variant::kNoWrap) style |= ES_AUTOHSCROLL | WS_HSCROLL;
  if (variant == Variant::kRichEdit) {
    ::LoadLibraryW(L"msftedit.dll");
    windowClass = MSFTEDIT_CLASS;
  }
  const TwipsRect& r = control.rect;
  const HWND text = ::CreateWindowExW(WS_EX_CLIENTEDGE, windowClass, L"", style,
                                      TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi),
                                      TwipsToPixels(r.width, dpi), TwipsToPixels(r.height, dpi),
                                      frame, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (variant == Variant::kRichEdit) {
    ::SendMessageW(text, EM_EXLIMITTEXT, 0, static_cast<LPARAM>(-1));
  } else {
    ::SendMessageW(text, EM_SETLIMITTEXT, 0, 0);
  }
  ::SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  return text;
}

// What the result window's Form_Resize does: the text box follows the
// window's outer size, its width first, then its height.
void FitTextBox(HWND frame, HWND text, const ControlDef& control, UINT dpi) {
  RECT outer{};
  ::GetWindowRect(frame, &outer);
  const TwipsSize size = FittedTextSize(
      {PixelsToTwips(outer.right - outer.left, dpi), PixelsToTwips(outer.bottom - outer.top, dpi)},
      300, 1200);
  const TwipsRect& r = control.rect;
  ::MoveWindow(text, TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi),
               TwipsToPixels(size.width, dpi), TwipsToPixels(r.height, dpi), TRUE);
  ::MoveWindow(text, TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi),
               TwipsToPixels(size.width, dpi), TwipsToPixels(size.height, dpi), TRUE);
}

// Pravex's SetText: a copy with NULs made blanks, while the composed text
// it was made from is still held.
void SetText(HWND text, std::wstring_view composed) {
  std::wstring copy(composed);
  std::replace(copy.begin(), copy.end(), L'\0', L' ');
  ::SetWindowTextW(text, copy.c_str());
}

// The result window's table entries, the screen's DPI and the text box's font.
struct Probe {
  const FormDef* def = nullptr;
  const ControlDef* textDef = nullptr;
  UINT dpi = USER_DEFAULT_SCREEN_DPI;
  win32::UniqueFont font;
};

Probe MakeProbe() {
  Probe probe;
  probe.def = &ResultFormDef(ResultKind::Result);
  probe.textDef =
      &probe.def
           ->controls[static_cast<std::size_t>(ControlId(*probe.def, L"Text1") - kFirstControlId)];
  probe.dpi = static_cast<UINT>(e2e::ScreenDpi());
  // Pravex's own font for the text box, at the screen's DPI.
  probe.font = win32::CreateFormFont(EffectiveFont(*probe.def, *probe.textDef), probe.dpi);
  return probe;
}

void ClassifyAsPravexDoes(std::wstring_view text) {
  const Verdict verdict = Classify(text, ConfiguredTable());
  if (!verdict.valid) std::fprintf(stderr, "the sample report does not pass for a valid one\n");
}

void ShowAndPaint(HWND frame) {
  ::ShowWindow(frame, SW_SHOWNORMAL);
  ::UpdateWindow(frame);
}

// Pravex's steps, with the edit control built one way or another.
LRESULT RunTextBox(const Probe& probe, Variant variant, StageLog& log) {
  std::string bytes = ReadReport();
  log.Mark("read the report file");
  // Pravex keeps the report's text for the whole run.
  const std::wstring report = e2e::AnsiToWide(bytes);
  bytes = std::string();
  log.Mark("turn its bytes into text (ANSI code page)");
  ClassifyAsPravexDoes(report);
  log.Mark("classify the report");
  const win32::UniqueWindow frame(CreateFrame(*probe.def, probe.dpi));
  const HWND text =
      CreateTextBox(frame.get(), *probe.textDef, variant, probe.font.get(), probe.dpi);
  log.Mark("create the window and its text box");
  const bool fitFirst = variant == Variant::kFittedFirst || variant == Variant::kRichEdit;
  if (fitFirst) {
    FitTextBox(frame.get(), text, *probe.textDef, probe.dpi);
    log.Mark("fit the text box to the window (empty)");
  }
  std::wstring composed = ComposeResultText(ResultKind::Result, true, false, report);
  log.Mark("compose guidance, separator and report");
  SetText(text, composed);
  composed = std::wstring();
  log.Mark("WM_SETTEXT with the whole text");
  if (!fitFirst) {
    FitTextBox(frame.get(), text, *probe.textDef, probe.dpi);
    log.Mark("fit the text box to the window (filled: width, then height)");
  }
  ShowAndPaint(frame.get());
  log.Mark("show and paint");
  return ::SendMessageW(text, WM_GETTEXTLENGTH, 0, 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: text_box_probe.exe --bytes=N "
                 "--variant=pravex|fitted-first|no-wrap|rich-edit\n");
    return 2;
  }
  WriteSampleReport(kReportPath, options.bytes);
  const Probe probe = MakeProbe();
  std::printf(
      "| step | time | working set after | peak working set after |\n|---|---:|---:|---:|\n");
  StageLog log;
  log.Mark("start (report file written)");
  const LRESULT length = RunTextBox(probe, options.variant, log);
  std::printf("\ntext box holds %ld characters for a report of %llu bytes\n",
              static_cast<long>(length), static_cast<unsigned long long>(options.bytes));
  e2e::DeleteFileIfPresent(kReportPath);
  return length >= static_cast<LRESULT>(options.bytes) ? 0 : 1;
}
