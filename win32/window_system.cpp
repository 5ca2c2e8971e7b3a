#include "win32/window_system.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "win32/form_window.h"
#include "win32/handles.h"
#include "win32/host_errors.h"

namespace pravex::win32 {

namespace {

bool IsUserInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

bool IsEscapeKey(const MSG& msg) {
  return (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR) &&
         msg.wParam == VK_ESCAPE;
}

// What a thread running work for the window thread shares with it.
struct OffThreadJob {
  const std::function<void()>& work;
  std::exception_ptr error;
};

DWORD WINAPI RunJob(void* parameter) {
  auto& job = *static_cast<OffThreadJob*>(parameter);
  // Nothing may leave the thread: the window thread rethrows it.
  try {
    job.work();
  } catch (...) {
    job.error = std::current_exception();
  }
  return 0;
}

}  // namespace

std::unique_ptr<IFormWindow> Win32WindowSystem::CreateFormWindow(const FormDef& form,
                                                                 IFormEvents& events) {
  return std::make_unique<Win32FormWindow>(*this, form, events);
}

void Win32WindowSystem::Register(Win32FormWindow* window) {
  windows_.push_back(window);
}

void Win32WindowSystem::Unregister(Win32FormWindow* window) {
  for (ModalFrame& frame : modal_) {
    if (frame.window == window && frame.disabled) frame.disabled->Restore();
  }
  std::erase(windows_, window);
}

Win32FormWindow* Win32WindowSystem::Find(HWND root) const {
  if (!root) return nullptr;
  for (Win32FormWindow* window : windows_) {
    if (window->Handle() == root) return window;
  }
  return nullptr;
}

HWND Win32WindowSystem::PopupOwner() const {
  const HWND active = ::GetActiveWindow();
  if (Find(active) && ::IsWindowVisible(active)) return active;
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    const HWND hwnd = (*it)->Handle();
    if (::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd)) return hwnd;
  }
  return nullptr;
}

HWND Win32WindowSystem::AnyWindow() const {
  const HWND owner = PopupOwner();
  if (owner) return owner;
  return windows_.empty() ? nullptr : windows_.back()->Handle();
}

Win32WindowSystem::DisabledWindows::DisabledWindows(Win32WindowSystem& system, HWND except) {
  for (Win32FormWindow* window : system.windows_) {
    const HWND hwnd = window->Handle();
    if (hwnd != except && ::IsWindowEnabled(hwnd)) {
      ::EnableWindow(hwnd, FALSE);
      disabled_.push_back(hwnd);
    }
  }
}

void Win32WindowSystem::DisabledWindows::Restore() {
  for (HWND hwnd : disabled_) {
    if (::IsWindow(hwnd)) ::EnableWindow(hwnd, TRUE);
  }
  disabled_.clear();
}

void Win32WindowSystem::Dispatch(MSG& msg) {
  if (msg.hwnd) {
    const HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    if (Win32FormWindow* window = Find(root)) {
      // Esc in a window without a cancel button does nothing; a multi-line
      // text box would otherwise close its window.
      if (IsEscapeKey(msg) && !window->HasCancelButton()) return;
      if (::IsDialogMessageW(root, &msg)) return;
    }
  }
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

int Win32WindowSystem::RunMessageLoop() {
  MSG msg{};
  for (;;) {
    const BOOL result = ::GetMessageW(&msg, nullptr, 0, 0);
    if (result == 0) return static_cast<int>(msg.wParam);
    if (result < 0) return 1;
    Dispatch(msg);
  }
}

void Win32WindowSystem::RunModal(IFormWindow& window, const std::function<bool()>& isOpen) {
  auto& form = static_cast<Win32FormWindow&>(window);
  const HWND previous = ::GetActiveWindow();
  DisabledWindows disabled(*this, form.Handle());
  modal_.push_back({&form, &disabled});
  ScopeExit popFrame([this] { modal_.pop_back(); });

  MSG msg{};
  while (isOpen()) {
    const BOOL result = ::GetMessageW(&msg, nullptr, 0, 0);
    if (result == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
      break;
    }
    if (result < 0) break;
    Dispatch(msg);
  }
  disabled.Restore();
  if (previous && ::IsWindow(previous) && Find(previous)) ::SetActiveWindow(previous);
}

void Win32WindowSystem::RunOffTheWindowThread(const std::function<void()>& work) {
  OffThreadJob job{work, nullptr};
  const UniqueHandleObject thread(::CreateThread(nullptr, 0, &RunJob, &job, 0, nullptr));
  if (!thread) {
    work();  // no thread to be had: the work blocks the windows, but it is done
    return;
  }
  try {
    while (!WaitKeepingWindowsPainted(thread.get(), std::chrono::milliseconds(INFINITE))) {
    }
  } catch (...) {
    ::WaitForSingleObject(thread.get(), INFINITE);  // the job lives on this stack
    throw;
  }
  if (job.error) std::rethrow_exception(job.error);
}

void Win32WindowSystem::Quit() {
  ::PostQuitMessage(0);
}

void Win32WindowSystem::SetMousePointer(int pointer) {
  pointer_ = pointer;
  // Show the new pointer now rather than at the next mouse move.
  POINT at{};
  if (!::GetCursorPos(&at)) return;
  const HWND under = ::WindowFromPoint(at);
  if (!under || !Find(::GetAncestor(under, GA_ROOT))) return;
  const LRESULT hit = ::SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
  ::SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                 MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
}

bool Win32WindowSystem::WaitKeepingWindowsPainted(HANDLE object, std::chrono::milliseconds limit) {
  std::optional<int> quitCode;
  const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(limit.count());
  bool signalled = false;
  for (;;) {
    const ULONGLONG now = ::GetTickCount64();
    if (now >= deadline) break;
    const DWORD woken = ::MsgWaitForMultipleObjectsEx(
        1, &object, static_cast<DWORD>(deadline - now), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woken == WAIT_OBJECT_0) {
      signalled = true;
      break;
    }
    if (woken == WAIT_TIMEOUT) break;
    if (woken == WAIT_FAILED) RaiseLastFileError();
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        quitCode = static_cast<int>(msg.wParam);
        continue;
      }
      if (IsUserInput(msg.message)) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  if (quitCode) ::PostQuitMessage(*quitCode);
  return signalled;
}

}  // namespace pravex::win32
