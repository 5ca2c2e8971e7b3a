#include "tests/e2e/driver/message_box.h"

#include <stdexcept>

#include "tests/e2e/driver/top_windows.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/driver/window_probe.h"

namespace pravex::e2e {

namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr int kPromptId = 0xFFFF;
constexpr UINT kAnswerLimitMs = 5000;

bool IsIconStatic(HWND control) {
  return ClassNameOf(control) == L"Static" &&
         (::GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

bool HoldsIcon(HWND iconStatic) {
  DWORD_PTR icon = 0;
  return ::IsWindowVisible(iconStatic) &&
         ::SendMessageTimeoutW(iconStatic, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                               kAnswerLimitMs, &icon) &&
         icon != 0;
}

BOOL CALLBACK FindShownIcon(HWND control, LPARAM lParam) {
  if (IsIconStatic(control) && HoldsIcon(control)) {
    *reinterpret_cast<bool*>(lParam) = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> FindMessageBoxes(DWORD processId) {
  return FindTopWindows(processId, {.className = kDialogClass});
}

MessageBoxView ReadMessageBox(HWND box) {
  MessageBoxView view;
  view.handle = box;
  view.title = TextOf(box);
  const HWND prompt = ChildById(box, kPromptId);
  view.text = TextOf(prompt);
  view.promptSize = OuterSize(prompt);
  ::EnumChildWindows(box, &FindShownIcon, reinterpret_cast<LPARAM>(&view.hasIcon));
  return view;
}

MessageBoxView WaitForMessageBox(DWORD processId, Milliseconds limit) {
  const HWND box = WaitForTopWindow(processId, {.className = kDialogClass}, limit);
  return ReadMessageBox(box);
}

void AnswerMessageBox(HWND box, int buttonId, Milliseconds limit) {
  PressButton(ChildById(box, buttonId));
  WaitUntil([&] { return !::IsWindow(box); }, limit,
            "the message box to close after pressing button " + std::to_string(buttonId));
}

}  // namespace pravex::e2e
