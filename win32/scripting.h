// The shell and file-system objects that start-up creates, made of plain
// Win32 calls.
#pragma once

#include "platform/scripting_objects.h"

namespace pravex::win32 {

class Win32WindowSystem;

class Win32ObjectFactory final : public IObjectFactory {
 public:
  explicit Win32ObjectFactory(Win32WindowSystem& windows) : windows_(windows) {}
  std::unique_ptr<IShellObject> CreateShell() override;
  std::unique_ptr<IFileSystemObject> CreateFileSystemObject() override;

 private:
  Win32WindowSystem& windows_;
};

// The environment variables of `text` expanded, as the command interpreter
// would: %NAME% for a defined name, left alone otherwise.
std::wstring ExpandEnvironment(std::wstring_view text);

}  // namespace pravex::win32
