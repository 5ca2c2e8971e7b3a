// The two shared objects that start-up creates: a shell that runs a command
// line, and a file-system object that tests for files and reads them back.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace pravex {

// A reader opened on one text file.
class ITextStream {
 public:
  virtual ~ITextStream() = default;
  // The whole content, read as 8-bit text of the ANSI code page.
  virtual std::wstring ReadAll() = 0;
  virtual void Close() = 0;
};

class IFileSystemObject {
 public:
  virtual ~IFileSystemObject() = default;
  virtual bool FileExists(std::wstring_view path) = 0;
  // Opens an existing file for reading. Throws HostError (53 when missing).
  virtual std::unique_ptr<ITextStream> OpenTextFile(std::wstring_view path) = 0;
};

namespace window_style {
inline constexpr int kHidden = 0;
}

class IShellObject {
 public:
  virtual ~IShellObject() = default;
  // Expands the environment variables in `commandLine`, starts it with the
  // given window style and, when `wait` is set, returns only when it has
  // ended. Returns the exit code (0 when not waiting). Throws HostError.
  virtual int Run(std::wstring_view commandLine, int windowStyle, bool wait) = 0;
};

// Creates the objects; throws HostError when one cannot be created.
class IObjectFactory {
 public:
  virtual ~IObjectFactory() = default;
  virtual std::unique_ptr<IShellObject> CreateShell() = 0;
  virtual std::unique_ptr<IFileSystemObject> CreateFileSystemObject() = 0;
};

}  // namespace pravex
