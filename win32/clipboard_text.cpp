#include "win32/clipboard_text.h"

#include <algorithm>

#include "win32/handles.h"

namespace pravex::win32 {

namespace {

constexpr int kOpenAttempts = 20;
constexpr DWORD kOpenRetryMs = 25;

class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) {
    for (int attempt = 0; attempt < kOpenAttempts && !open_; ++attempt) {
      if (attempt > 0) ::Sleep(kOpenRetryMs);
      open_ = ::OpenClipboard(owner) != FALSE;
    }
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  ~OpenClipboardScope() {
    if (open_) ::CloseClipboard();
  }
  bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
};

}  // namespace

ClipboardOutcome PutClipboardText(HWND owner, std::wstring_view text) {
  UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
  if (!memory) return ClipboardOutcome::kOutOfMemory;
  {
    const LockedGlobal lock(memory.get());
    auto* target = static_cast<wchar_t*>(lock.data());
    if (!target) return ClipboardOutcome::kOutOfMemory;
    std::replace_copy(text.begin(), text.end(), target, L'\0', L' ');
    target[text.size()] = L'\0';
  }
  OpenClipboardScope clipboard(owner);
  if (!clipboard.IsOpen() || !::EmptyClipboard()) return ClipboardOutcome::kBusy;
  if (!::SetClipboardData(CF_UNICODETEXT, memory.get())) return ClipboardOutcome::kBusy;
  memory.release();  // the clipboard owns it now
  return ClipboardOutcome::kDone;
}

bool GetClipboardText(HWND owner, std::wstring& text) {
  OpenClipboardScope clipboard(owner);
  if (!clipboard.IsOpen()) return false;
  const HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  if (!data) return false;
  const LockedGlobal lock(data);
  const auto* source = static_cast<const wchar_t*>(lock.data());
  if (!source) return false;
  // The text ends at its NUL, or with the memory block when a writer left it out.
  const std::size_t room = ::GlobalSize(data) / sizeof(wchar_t);
  text.assign(source, std::find(source, source + room, L'\0'));
  return true;
}

}  // namespace pravex::win32
