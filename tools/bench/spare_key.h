// The spare key: a key no program here acts on, sent after the input being
// timed. A keyboard hook in the measured program (key_hook.dll) signals the
// named event as the program's window thread takes it from its queue, by
// which time every input sent before it has been handled: input comes out
// of the queue in the order it went in. A sent message would not show
// that; it is answered before queued input.
#pragma once

#include <windows.h>

// The hook key_hook.dll exports under kSpareKeyHookName.
extern "C" LRESULT CALLBACK SpareKeyHook(int code, WPARAM key, LPARAM flags);

namespace pravex::bench {

inline constexpr UINT kSpareKey = VK_F24;
inline constexpr wchar_t kSpareKeyEvent[] = L"PravexBenchSpareKeyTaken";
inline constexpr char kSpareKeyHookName[] = "SpareKeyHook";

}  // namespace pravex::bench
