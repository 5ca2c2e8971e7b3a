// A library that exports nothing. Copied beside Pravex.exe under the name of
// a system library, it stands for one that a download put there: the
// program must go on using the system's own.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
  return TRUE;
}
