#include "tests/e2e/driver/clipboard.h"

#include <windows.h>

#include <cstring>
#include <stdexcept>

#include "tests/e2e/driver/deadline.h"
#include "win32/handles.h"

namespace pravex::e2e {

namespace {

// The program may hold the clipboard for a moment while it copies.
constexpr Milliseconds kOpenLimit{2000};

class OpenedClipboard {
 public:
  OpenedClipboard() {
    if (!PollUntil([] { return ::OpenClipboard(nullptr) != FALSE; }, kOpenLimit)) {
      throw std::runtime_error("the clipboard stayed busy for " +
                               std::to_string(kOpenLimit.count()) + " ms");
    }
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  ~OpenedClipboard() { ::CloseClipboard(); }
};

}  // namespace

std::optional<std::wstring> ClipboardText() {
  const OpenedClipboard clipboard;
  const HGLOBAL memory = ::GetClipboardData(CF_UNICODETEXT);
  if (!memory) return std::nullopt;
  const win32::LockedGlobal locked(memory);
  if (!locked.data()) throw std::runtime_error("the clipboard's text could not be locked");
  // The text ends at its NUL or at the end of the block, whichever is first.
  const auto* text = static_cast<const wchar_t*>(locked.data());
  const std::size_t most = ::GlobalSize(memory) / sizeof(wchar_t);
  std::size_t length = 0;
  while (length < most && text[length] != L'\0') ++length;
  return std::wstring(text, length);
}

void SetClipboardText(std::wstring_view text) {
  win32::UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
  if (!memory) throw std::runtime_error("GlobalAlloc failed");
  {
    const win32::LockedGlobal locked(memory.get());
    auto* target = static_cast<wchar_t*>(locked.data());
    if (!target) throw std::runtime_error("the clipboard's new text could not be locked");
    std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
    target[text.size()] = L'\0';
  }
  const OpenedClipboard clipboard;
  ::EmptyClipboard();
  if (!::SetClipboardData(CF_UNICODETEXT, memory.get())) {
    throw std::runtime_error("SetClipboardData failed (error " + std::to_string(::GetLastError()) +
                             ")");
  }
  memory.release();  // the clipboard owns it now
}

}  // namespace pravex::e2e
