// What a user does with a live text box, timed from outside with honest
// "done" signals: Pravex's result window after a diagnosis, or the system's
// text box in text_box_probe.exe --stay, with the same report; and the
// result window while a report travels to a slow support drop.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/driver/app_process.h"
#include "tools/bench/bench_setup.h"
#include "tools/bench/interaction_table.h"
#include "win32/handles.h"

namespace pravex::bench {

// The window of text_box_probe.exe.
inline constexpr wchar_t kProbeWindowClass[] = L"PravexProbeWindow";

// A program showing a text box with a report in it, ended when it goes.
struct LiveTextBox {
  std::unique_ptr<e2e::AppProcess> process;
  HWND window = nullptr;  // the top window
  HWND textBox = nullptr;
};

// Pravex's result window after a diagnosis of a report of `reportBytes`.
LiveTextBox OpenPravexTextBox(const BenchPaths& paths, std::uint64_t reportBytes);
// The system's text box in text_box_probe.exe, built as Pravex's result
// window's was before it had a view of its own, with the same report.
LiveTextBox OpenSystemTextBox(const std::wstring& probeExe, std::uint64_t reportBytes);

// key_hook.dll on the window thread of `window` while this lives: tells
// when the thread has taken the spare key from its queue (spare_key.h).
class SpareKeyWatch {
 public:
  SpareKeyWatch(const std::wstring& hookDll, HWND window);
  SpareKeyWatch(const SpareKeyWatch&) = delete;
  SpareKeyWatch& operator=(const SpareKeyWatch&) = delete;
  ~SpareKeyWatch();

  // Does `act` and sends the spare key; the milliseconds from just before
  // `act` until the thread has taken the key. Throws std::runtime_error
  // when the key is not taken within `limit`.
  double Time(const std::function<void()>& act, e2e::Milliseconds limit) const;

 private:
  win32::UniqueModule library_;
  HHOOK hook_ = nullptr;
  win32::UniqueHandleObject taken_;
};

// One run of every interaction on `box`, which is in the foreground
// afterwards and holds the text it held, give or take two typed letters.
InteractionRun TimeInteractions(const LiveTextBox& box, const SpareKeyWatch& keys);

// A send of a report of `reportBytes` to the support drop, which the mode
// file has throttle the data connection so that it takes about 12 s, with
// the result window asked all the while how long it takes to answer.
UploadRun TimeSlowUpload(const BenchPaths& paths, const std::wstring& hookDll,
                         const std::wstring& modeFile, std::uint64_t reportBytes);

}  // namespace pravex::bench
