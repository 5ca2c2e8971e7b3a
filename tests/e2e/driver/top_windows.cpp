#include "tests/e2e/driver/top_windows.h"

#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_probe.h"

namespace pravex::e2e {

namespace {

struct Search {
  DWORD processId;
  const WindowQuery& query;
  std::vector<HWND> found;
};

bool Matches(HWND window, const Search& search) {
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId) return false;
  if (search.query.visibleOnly && !::IsWindowVisible(window)) return false;
  if (ClassNameOf(window) != search.query.className) return false;
  return !search.query.caption || TryTextOf(window) == search.query.caption;
}

BOOL CALLBACK CollectMatching(HWND window, LPARAM lParam) {
  auto& search = *reinterpret_cast<Search*>(lParam);
  if (Matches(window, search)) search.found.push_back(window);
  return TRUE;
}

}  // namespace

std::string Describe(const WindowQuery& query, DWORD processId) {
  std::string text = query.visibleOnly ? "a visible window" : "a window";
  text += " of class " + Quoted(query.className);
  if (query.caption) text += " captioned " + Quoted(*query.caption);
  return text + " in process " + std::to_string(processId);
}

std::vector<HWND> FindTopWindows(DWORD processId, const WindowQuery& query) {
  Search search{processId, query, {}};
  ::EnumWindows(&CollectMatching, reinterpret_cast<LPARAM>(&search));
  return search.found;
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
