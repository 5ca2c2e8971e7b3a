// The two shared objects that start-up creates: a shell that runs a command
// line, and a file-system object that tests for files and reads them back.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
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

// What a waiting Run asks each time the command has run for another
// `every` without ending: whether to go on waiting. Without a question, or
// with `every` zero, Run waits as long as the command runs.
struct WaitCheck {
  std::chrono::seconds every{0};
  std::function<bool(std::chrono::seconds waited)> keepWaiting;
};

class IShellObject {
 public:
  virtual ~IShellObject() = default;
  // Expands the environment variables in `commandLine`, starts it with the
  // given window style and, when `wait` is set, returns only when it has
  // ended, or when `check` said not to wait any longer: then the command
  // and everything it started are stopped first. Returns the exit code (0
  // when not waiting). Throws HostError.
  virtual int Run(std::wstring_view commandLine, int windowStyle, bool wait,
                  const WaitCheck& check) = 0;
  // The process's environment variable of that name, if it is set.
  virtual std::optional<std::wstring> Environment(std::wstring_view name) = 0;
};

// Creates the objects; throws HostError when one cannot be created.
class IObjectFactory {
 public:
  virtual ~IObjectFactory() = default;
  virtual std::unique_ptr<IShellObject> CreateShell() = 0;
  virtual std::unique_ptr<IFileSystemObject> CreateFileSystemObject() = 0;
};

}  // namespace pravex
