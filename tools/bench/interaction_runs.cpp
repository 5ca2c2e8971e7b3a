#include "tools/bench/interaction_runs.h"

#include <algorithm>
#include <stdexcept>

#include "forms/contact/contact_info_form_def.h"
#include "forms/results/result_form_def.h"
#include "tests/e2e/driver/clipboard.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/message_box.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/driver/window_probe.h"
#include "tests/e2e/pravex_program.h"
#include "tools/bench/spare_key.h"
#include "tools/bench/timed_runs.h"
#include "win32/bind_as.h"

namespace pravex::bench {

namespace {

using e2e::Milliseconds;

constexpr Milliseconds kLookInterval{1};
// The system's text box takes some 20 s to open with a 20 MB report, and
// over 10 s for each change of its width.
constexpr Milliseconds kOpenLimit{300'000};
constexpr Milliseconds kStepLimit{120'000};
constexpr Milliseconds kExitLimit{15'000};
constexpr int kNarrowerBy = 120;  // pixels: enough to wrap most lines anew
constexpr int kDragStepPixels = 8;
constexpr int kDragStepsAtLeast = 3;
constexpr WORD kThumbLine = 60'000;
constexpr std::wstring_view kTransferred = L"File transfered to Quorvel's ftp server!";
// The drop's throttle lets through about one and a half times its limit a
// second; a limit of this share of the report takes it in about 12 s.
constexpr std::uint64_t kThrottleShareOfReport = 18;

std::vector<INPUT> Keystroke(UINT key, bool control) {
  std::vector<INPUT> inputs;
  if (control) inputs.push_back(e2e::KeyInput(VK_CONTROL, false));
  inputs.push_back(e2e::KeyInput(key, false));
  inputs.push_back(e2e::KeyInput(key, true));
  if (control) inputs.push_back(e2e::KeyInput(VK_CONTROL, true));
  return inputs;
}

// A character as typed, whichever key gives it.
std::vector<INPUT> Typed(wchar_t c) {
  std::vector<INPUT> inputs(2);
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wScan = c;
    inputs[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
  }
  return inputs;
}

std::vector<INPUT> WheelNotchDown() {
  std::vector<INPUT> inputs(1);
  inputs[0].type = INPUT_MOUSE;
  inputs[0].mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
  inputs[0].mi.dwFlags = MOUSEEVENTF_WHEEL;
  return inputs;
}

LRESULT AskWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Milliseconds limit) {
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL,
                             static_cast<UINT>(limit.count()), &result)) {
    throw std::runtime_error(e2e::WindowName(window) + " did not answer message " +
                             std::to_string(message) + " within " + std::to_string(limit.count()) +
                             " ms");
  }
  return static_cast<LRESULT>(result);
}

double Timed(const std::function<void()>& act) {
  const e2e::Stopwatch clock;
  act();
  return clock.ElapsedMs();
}

std::vector<HWND> WindowsOf(HWND top) {
  std::vector<HWND> windows{top};
  ::EnumChildWindows(
      top,
      [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Returns once every window of the box has painted what was invalid: none
// has an update region left, and the thread has finished the paint it was
// in (a sent message is taken only between two dispatched ones).
void WaitPainted(const LiveTextBox& box) {
  const std::vector<HWND> windows = WindowsOf(box.window);
  e2e::WaitUntil(
      [&] {
        return std::none_of(windows.begin(), windows.end(),
                            [](HWND window) { return ::GetUpdateRect(window, nullptr, FALSE); });
      },
      kStepLimit, "the windows to paint", kLookInterval);
  AskWithin(box.window, WM_NULL, 0, 0, kStepLimit);
}

// Everything earlier is done: the layout complete (asked for the line
// count, the text box lays out all), the windows painted and every input
// handled.
void Settle(const LiveTextBox& box, const SpareKeyWatch& keys) {
  AskWithin(box.textBox, EM_GETLINECOUNT, 0, 0, kStepLimit);
  WaitPainted(box);
  keys.Time([] {}, kStepLimit);
}

void Resize(HWND window, e2e::PixelSize size) {
  e2e::ResizeOuter(window, size);
}

// Whether the text box's program has put its text on the clipboard since it
// had the sequence number `before`, and closed it again.
bool ClipboardTaken(DWORD before) {
  if (::GetClipboardSequenceNumber() == before) return false;
  if (!::OpenClipboard(nullptr)) return false;  // still open where it is being written
  const bool text = ::IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
  ::CloseClipboard();
  return text;
}

}  // namespace

LiveTextBox OpenPravexTextBox(const BenchPaths& paths, std::uint64_t reportBytes) {
  RemoveLeftovers();
  LiveTextBox box;
  box.process =
      std::make_unique<e2e::AppProcess>(paths.pravexExe, DiagnosisEnvironment(paths, reportBytes));
  box.window = DiagnoseToResultWindow(*box.process, reportBytes);
  box.textBox = e2e::FormControl(box.window, ResultFormDef(ResultKind::kResult), L"Text1");
  return box;
}

LiveTextBox OpenSystemTextBox(const std::wstring& probeExe, std::uint64_t reportBytes) {
  LiveTextBox box;
  box.process =
      std::make_unique<e2e::AppProcess>(probeExe, e2e::EnvironmentBlock::Current(),
                                        L"--bytes=" + std::to_wstring(reportBytes) + L" --stay");
  box.window =
      box.process->WaitForWindow({.className = kProbeWindowClass}, kOpenLimit, kLookInterval);
  box.textBox = ::FindWindowExW(box.window, nullptr, L"Edit", nullptr);
  if (!box.textBox) throw std::runtime_error("the probe's window has no text box");
  e2e::WaitUntil(
      [&] {
        const std::optional<std::size_t> length = e2e::TextLengthWithin(box.textBox, kOpenLimit);
        return length && *length >= reportBytes;
      },
      kOpenLimit, "the system's text box to hold the report", kLookInterval);
  return box;
}

SpareKeyWatch::SpareKeyWatch(const std::wstring& hookDll, HWND window)
    : library_(::LoadLibraryW(hookDll.c_str())),
      taken_(::CreateEventW(nullptr, FALSE, FALSE, kSpareKeyEvent)) {
  if (!library_) throw std::runtime_error("cannot load " + e2e::Quoted(hookDll));
  if (!taken_) throw std::runtime_error("cannot create the spare key's event");
  const auto hook = win32::BindAs<decltype(::SpareKeyHook)>(library_.get(), kSpareKeyHookName);
  if (!hook) throw std::runtime_error(e2e::Quoted(hookDll) + " has no hook");
  hook_ = ::SetWindowsHookExW(WH_KEYBOARD, hook, library_.get(),
                              ::GetWindowThreadProcessId(window, nullptr));
  if (!hook_) {
    throw std::runtime_error("cannot hook " + e2e::WindowName(window) + " (error " +
                             std::to_string(::GetLastError()) + ")");
  }
}

SpareKeyWatch::~SpareKeyWatch() {
  ::UnhookWindowsHookEx(hook_);
}

double SpareKeyWatch::Time(const std::function<void()>& act, Milliseconds limit) const {
  ::ResetEvent(taken_.get());
  const e2e::Stopwatch clock;
  act();
  e2e::SendInputs({e2e::KeyInput(kSpareKey, false), e2e::KeyInput(kSpareKey, true)});
  if (::WaitForSingleObject(taken_.get(), static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) {
    throw std::runtime_error("the spare key was not taken within " + std::to_string(limit.count()) +
                             " ms");
  }
  return clock.ElapsedMs();
}

InteractionRun TimeInteractions(const LiveTextBox& box, const SpareKeyWatch& keys) {
  InteractionRun run;
  const auto at = [&](Interaction interaction) -> double& {
    return run.ms[static_cast<std::size_t>(interaction)];
  };
  const auto keystroke = [&](UINT key, bool control) {
    return keys.Time([&] { e2e::SendInputs(Keystroke(key, control)); }, kStepLimit);
  };
  e2e::BringToFront(box.window);
  const e2e::PixelSize base = e2e::OuterSize(box.window);
  const e2e::PixelSize narrower{base.width - kNarrowerBy, base.height};
  Settle(box, keys);

  // Resizes, each from a window at rest.
  at(Interaction::kResizePainted) = Timed([&] {
    Resize(box.window, narrower);
    WaitPainted(box);
  });
  Settle(box, keys);
  at(Interaction::kResizeNextKey) = keys.Time([&] { Resize(box.window, base); }, kStepLimit);
  Settle(box, keys);
  Resize(box.window, narrower);
  at(Interaction::kThumbAfterResize) = keys.Time(
      [&] { ::PostMessageW(box.textBox, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, kThumbLine), 0); },
      kStepLimit);
  Settle(box, keys);
  Resize(box.window, base);
  Settle(box, keys);

  // A drag of the right edge, a step at a time, each painted.
  double slowest = 0;
  double total = 0;
  int steps = 0;
  while (steps < kDragSteps && (steps < kDragStepsAtLeast || total < kDragPatienceMs)) {
    ++steps;
    const double step = Timed([&] {
      Resize(box.window, {base.width + steps * kDragStepPixels, base.height});
      WaitPainted(box);
    });
    slowest = std::max(slowest, step);
    total += step;
  }
  at(Interaction::kDragStep) = slowest;
  run.dragSteps = steps;
  Resize(box.window, base);
  Settle(box, keys);

  // Keys and the wheel, from the top.
  keystroke(VK_HOME, true);
  Settle(box, keys);
  at(Interaction::kPageDown) = keystroke(VK_NEXT, false);
  Settle(box, keys);
  RECT text{};
  ::GetWindowRect(box.textBox, &text);
  e2e::SendInputs(
      {e2e::MouseMoveInput({(text.left + text.right) / 2, (text.top + text.bottom) / 2})});
  Settle(box, keys);
  at(Interaction::kWheel) = keys.Time([] { e2e::SendInputs(WheelNotchDown()); }, kStepLimit);
  Settle(box, keys);
  at(Interaction::kCtrlEnd) = keystroke(VK_END, true);
  Settle(box, keys);
  at(Interaction::kTypeAtEnd) = keys.Time([] { e2e::SendInputs(Typed(L'x')); }, kStepLimit);
  Settle(box, keys);
  keystroke(VK_HOME, true);
  Settle(box, keys);
  at(Interaction::kTypeAtStart) = keys.Time([] { e2e::SendInputs(Typed(L'x')); }, kStepLimit);
  Settle(box, keys);

  // Everything copied; done when the clipboard holds it and is closed.
  AskWithin(box.textBox, EM_SETSEL, 0, -1, kStepLimit);
  Settle(box, keys);
  const DWORD before = ::GetClipboardSequenceNumber();
  at(Interaction::kCtrlC) = Timed([&] {
    e2e::SendInputs(Keystroke('C', true));
    e2e::WaitUntil([&] { return ClipboardTaken(before); }, kStepLimit,
                   "the clipboard to hold the text", kLookInterval);
  });
  const auto length =
      static_cast<std::size_t>(AskWithin(box.textBox, WM_GETTEXTLENGTH, 0, 0, kStepLimit));
  if (e2e::ClipboardText().value_or(L"").size() != length) {
    throw std::runtime_error("Ctrl+C left something else than the text on the clipboard");
  }
  AskWithin(box.textBox, EM_SETSEL, 0, 0, kStepLimit);
  Settle(box, keys);
  return run;
}

UploadRun TimeSlowUpload(const BenchPaths& paths, const std::wstring& hookDll,
                         const std::wstring& modeFile, std::uint64_t reportBytes) {
  RemoveLeftovers();
  e2e::WriteFileBytes(modeFile,
                      "throttle " + std::to_string(reportBytes / kThrottleShareOfReport) + "\n");
  e2e::AppProcess pravex(paths.pravexExe, DiagnosisEnvironment(paths, reportBytes));
  const HWND result = DiagnoseToResultWindow(pravex, reportBytes);
  e2e::BringToFront(result);
  e2e::PressButton(e2e::FormControl(result, ResultFormDef(ResultKind::kResult), L"FTP"));
  const FormDef& contactForm = ContactInfoFormDef();
  const HWND contact = pravex.WaitForWindow({.className = e2e::FormWindowClass(contactForm)},
                                            kOpenLimit, kLookInterval);
  e2e::ReplaceText(e2e::FormControl(contact, contactForm, L"Text1"), L"Bench Run");
  e2e::ReplaceText(e2e::FormControl(contact, contactForm, L"Text2"), L"Bench Company");
  e2e::ReplaceText(e2e::FormControl(contact, contactForm, L"Text3"), L"bench@example.com");
  const SpareKeyWatch keys(hookDll, result);

  UploadRun run;
  const e2e::Stopwatch clock;
  e2e::PressButton(e2e::FormControl(contact, contactForm, L"OKButton"));
  while (e2e::FindMessageBoxes(pravex.Id()).empty()) {
    if (clock.ElapsedMs() > static_cast<double>(kStepLimit.count())) {
      throw std::runtime_error("the upload did not end within " +
                               std::to_string(kStepLimit.count()) + " ms");
    }
    const double message = Timed([&] { AskWithin(result, WM_NULL, 0, 0, kStepLimit); });
    const double key = keys.Time([] {}, kStepLimit);
    run.longestAnswerMs = std::max({run.longestAnswerMs, message, key});
    e2e::PumpMessagesFor(Milliseconds(20));
  }
  run.uploadMs = clock.ElapsedMs();
  const e2e::MessageBoxView box = e2e::WaitForMessageBox(pravex.Id(), kStepLimit);
  if (box.text != kTransferred) {
    throw std::runtime_error("the upload ended in the box " + e2e::Quoted(box.text));
  }
  e2e::AnswerMessageBox(box.handle, IDOK, kStepLimit);
  pravex.CloseAndWaitForExit(result, kExitLimit);
  e2e::WriteFileBytes(modeFile, "normal\n");
  return run;
}

}  // namespace pravex::bench
