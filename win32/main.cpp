// Pravex.exe: the program starts by loading its main window and ends when
// its last window has been unloaded.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/program.h"
#include "common/errors.h"
#include "win32/system_library.h"
#include "win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  pravex::win32::SearchLibrariesOnlyInTheSystemFolder();
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  try {
    pravex::win32::Win32Platform host(instance);
    pravex::Program program(host.platform);
    program.Start();
    if (!program.forms.AnyLoaded()) return 1;
    return host.windows.RunMessageLoop();
  } catch (...) {
    const std::wstring text = L"Error: " + pravex::ErrorText(pravex::CurrentErrorInfo());
    ::MessageBoxW(nullptr, text.c_str(), L"Pravex", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    return 1;
  }
}
