// The Win32 implementations of every platform service, owned together.
#pragma once

#include <windows.h>

#include "platform/platform.h"
#include "win32/desktop_services.h"
#include "win32/file_system.h"
#include "win32/registry_settings.h"
#include "win32/scripting.h"
#include "win32/window_system.h"
#include "win32/wininet_api.h"

namespace pravex::win32 {

class Win32Platform {
 public:
  explicit Win32Platform(HINSTANCE instance)
      : windows(instance),
        messageBoxes(windows),
        objects(windows),
        clipboard(windows),
        saveDialog(windows),
        platform{settings,  files,      objects, clock,    messageBoxes,
                 clipboard, saveDialog, windows, internet, windows} {}
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Win32WindowSystem windows;
  Win32MessageBoxes messageBoxes;
  RegistrySettings settings;
  Win32FileSystem files;
  Win32ObjectFactory objects;
  Win32Clock clock;
  Win32Clipboard clipboard;
  Win32SaveDialog saveDialog;
  WinInetApi internet;
  Platform platform;
};

}  // namespace pravex::win32
