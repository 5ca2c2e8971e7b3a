// The shell object: runs a command line and waits for it while the program's
// windows keep painting, and stops the command and everything it started
// when the caller's check says not to wait any longer.
#pragma once

#include "platform/scripting_objects.h"

namespace pravex::win32 {

class Win32WindowSystem;

class Win32Shell final : public IShellObject {
 public:
  explicit Win32Shell(Win32WindowSystem& windows) : windows_(windows) {}

  int Run(std::wstring_view commandLine, int windowStyle, bool wait,
          const WaitCheck& check) override;
  std::optional<std::wstring> Environment(std::wstring_view name) override;

 private:
  Win32WindowSystem& windows_;
};

}  // namespace pravex::win32
