// key_hook.dll: the benchmark's witness inside the program it measures (see
// spare_key.h). The benchmark hooks the program's window thread with it;
// the system calls it there as the thread takes a key from its queue.
#include <windows.h>

#include "tools/bench/spare_key.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK SpareKeyHook(int code, WPARAM key, LPARAM flags) {
  constexpr LPARAM kReleased = LPARAM{1} << 31;
  if (code == HC_ACTION && key == pravex::bench::kSpareKey && (flags & kReleased) == 0) {
    if (const HANDLE taken =
            ::OpenEventW(EVENT_MODIFY_STATE, FALSE, pravex::bench::kSpareKeyEvent)) {
      ::SetEvent(taken);
      ::CloseHandle(taken);
    }
  }
  return ::CallNextHookEx(nullptr, code, key, flags);
}
