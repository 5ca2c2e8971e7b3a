// The shell object: runs a command line and waits for it while the program's
// windows keep painting. A command that takes unusually long is not waited
// for without end: the user is asked whether to keep waiting or stop it.
#pragma once

#include <chrono>

#include "platform/message_box.h"
#include "platform/scripting_objects.h"

namespace pravex::win32 {

class Win32WindowSystem;

inline constexpr std::chrono::seconds kDefaultPatience{120};

// How long to wait before asking: PRAVEX_STATUS_PATIENCE_SECONDS when it
// holds a positive number, else two minutes.
std::chrono::seconds PatienceFromEnvironment();

class Win32Shell final : public IShellObject {
 public:
  Win32Shell(Win32WindowSystem& windows, IMessageBoxes& messageBoxes, std::chrono::seconds patience)
      : windows_(windows), messageBoxes_(messageBoxes), patience_(patience) {}

  int Run(std::wstring_view commandLine, int windowStyle, bool wait) override;

 private:
  bool KeepWaiting(std::chrono::seconds waited);

  Win32WindowSystem& windows_;
  IMessageBoxes& messageBoxes_;
  std::chrono::seconds patience_;
};

}  // namespace pravex::win32
