#include "tests/e2e/driver/top_windows.h"

#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_probe.h"

namespace pravex::e2e {

namespace {

bool Matches(HWND window, DWORD processId, const WindowQuery& query) {
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != processId) return false;
  if (query.visibleOnly && !::IsWindowVisible(window)) return false;
  return !query.caption || TryTextOf(window) == query.caption;
}

}  // namespace

std::string Describe(const WindowQuery& query, DWORD processId) {
  std::string text = query.visibleOnly ? "a visible window" : "a window";
  text += " of class " + Quoted(query.className);
  if (query.caption) text += " captioned " + Quoted(*query.caption);
  return text + " in process " + std::to_string(processId);
}

std::vector<HWND> FindTopWindows(DWORD processId, const WindowQuery& query) {
  // One look per window of the class rather than per top-level window:
  // cheap enough to poll every millisecond while a start is timed.
  std::vector<HWND> found;
  for (HWND window = ::FindWindowExW(nullptr, nullptr, query.className.c_str(), nullptr); window;
       window = ::FindWindowExW(nullptr, window, query.className.c_str(), nullptr)) {
    if (Matches(window, processId, query)) found.push_back(window);
  }
  return found;
}

HWND WaitForTopWindow(DWORD processId, const WindowQuery& query, Milliseconds limit) {
  return WaitFor<HWND>(
      [&]() -> std::optional<HWND> {
        const std::vector<HWND> found = FindTopWindows(processId, query);
        if (found.empty()) return std::nullopt;
        return found.front();
      },
      limit, Describe(query, processId));
}

void WaitUntilNoTopWindow(DWORD processId, const WindowQuery& query, Milliseconds limit) {
  WaitUntil([&] { return FindTopWindows(processId, query).empty(); }, limit,
            "no more of " + Describe(query, processId));
}

}  // namespace pravex::e2e
