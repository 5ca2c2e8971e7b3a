// In-memory stand-ins for every platform interface, sharing one event log so
// that tests can check the order of what the program did.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/fakes/memory_window_system.h"

namespace pravex::testing {

// What the program did, in order, one entry each: "msgbox: <prompt>",
// "save: <key>=<value>", "write: <path>", "run: <command line>", "shown: <form>"...
using EventLog = std::vector<std::wstring>;

// Wide text to bytes the way an ANSI code page would: Latin-1 here, anything
// beyond it becomes '?'.
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);

class FakeSaveFile;

class FakeSettings : public ISettingsStore {
 public:
  explicit FakeSettings(EventLog& log) : log_(log) {}
  std::wstring GetSetting(std::wstring_view app, std::wstring_view section, std::wstring_view key,
                          std::wstring_view defaultValue) override;
  void SaveSetting(std::wstring_view app, std::wstring_view section, std::wstring_view key,
                   std::wstring_view value) override;

  // Values by key, within "QuorvelPravex"/"Info".
  std::map<std::wstring, std::wstring> values;
  std::optional<int> failSaveWith;

 private:
  EventLog& log_;
};

class FakeFileSystem : public IFileSystem {
 public:
  explicit FakeFileSystem(EventLog& log) : log_(log) {}
  void WriteText(std::wstring_view path, OpenMode mode, std::wstring_view text) override;
  void Kill(std::wstring_view path) override;
  // A file's kind as `targets` gives it; whether it exists as `files` says.
  SaveTarget InspectSaveTarget(std::wstring_view path) override;
  std::string FileBytes(std::wstring_view text) override { return ToAnsi(text); }
  std::unique_ptr<ISaveFile> OpenToWrite(std::wstring_view path) override;
  std::unique_ptr<ISaveFile> CreateBeside(std::wstring_view path) override;
  bool Replace(std::wstring_view path, std::wstring_view replacement) override;
  void Rename(std::wstring_view from, std::wstring_view to) override;

  bool Exists(const std::wstring& path) const { return files.contains(path); }
  std::string Bytes(const std::wstring& path) const;

  std::map<std::wstring, std::string> files;  // path -> bytes
  std::set<std::wstring> folders{L"C:\\"};    // with their trailing backslash
  std::map<std::wstring, int> failures;       // path -> error number raised on any access
  std::map<std::wstring, SaveTarget> targets;
  bool foldersTakeNewFiles = true;  // else a replacement cannot be made
  // Save as...'s steps that fail, with the error each raises: "write" (after
  // half its bytes, as a full disk or a dropped share), "end", "flush",
  // "discard", "rename".
  std::map<std::wstring, int> failingSteps;
  enum class Swap { kSwaps, kChangesNothing, kRemovesTheOldFile };
  Swap swap = Swap::kSwaps;    // what Replace does
  int nextTemporary = 0x1A2B;  // the hex digits of CreateBeside's next name

 private:
  friend class FakeSaveFile;
  void FailStep(const wchar_t* step) const;

  EventLog& log_;
};

class FakeTextStream : public ITextStream {
 public:
  FakeTextStream(EventLog& log, FakeFileSystem& files, std::wstring path)
      : log_(log), files_(files), path_(std::move(path)) {}
  std::wstring ReadAll() override;
  void Close() override;

 private:
  EventLog& log_;
  FakeFileSystem& files_;
  std::wstring path_;
};

class FakeFso : public IFileSystemObject {
 public:
  FakeFso(EventLog& log, FakeFileSystem& files) : log_(log), files_(files) {}
  bool FileExists(std::wstring_view path) override;
  std::unique_ptr<ITextStream> OpenTextFile(std::wstring_view path) override;

 private:
  EventLog& log_;
  FakeFileSystem& files_;
};

class FakeObjectFactory;

class FakeShell : public IShellObject {
 public:
  FakeShell(EventLog& log, FakeObjectFactory& factory) : log_(log), factory_(factory) {}
  int Run(std::wstring_view commandLine, int windowStyle, bool wait,
          const WaitCheck& check) override;
  std::optional<std::wstring> Environment(std::wstring_view name) override;

 private:
  EventLog& log_;
  FakeObjectFactory& factory_;
};

class FakeObjectFactory : public IObjectFactory {
 public:
  FakeObjectFactory(EventLog& log, FakeFileSystem& files) : log_(log), files_(files) {}
  std::unique_ptr<IShellObject> CreateShell() override;
  std::unique_ptr<IFileSystemObject> CreateFileSystemObject() override;

  // Runs in place of the command line; by default nothing happens.
  std::function<void(const std::wstring&)> onRun;
  // How long the command runs, as its wait check sees it, and the process
  // environment the shell reports.
  std::chrono::seconds runsFor{0};
  std::map<std::wstring, std::wstring> environment;
  std::optional<int> failCreateWith;

 private:
  EventLog& log_;
  FakeFileSystem& files_;
};

class FakeClock : public IClock {
 public:
  LocalDateTime Now() override { return now; }
  std::wstring ShortDate(const LocalDateTime& moment) override;
  std::wstring LongTime(const LocalDateTime& moment) override;

  LocalDateTime now{2025, 3, 3, 14, 5, 9};
  // "M/d/yyyy" with "h:mm:ss tt", or "dd.MM.yyyy" with "HH:mm:ss".
  bool european = false;
};

struct ShownMessage {
  std::wstring prompt;
  int style = 0;
  std::wstring title;
};

class FakeMessageBoxes : public IMessageBoxes {
 public:
  explicit FakeMessageBoxes(EventLog& log) : log_(log) {}
  int Show(std::wstring_view prompt, int style, std::wstring_view title) override;

  std::vector<ShownMessage> shown;
  std::function<void(const ShownMessage&)> onShow;  // may set the answer
  int nextAnswer = mb::kAnswerOk;

 private:
  EventLog& log_;
};

class FakeClipboard : public IClipboard {
 public:
  void SetText(std::wstring_view value) override;
  std::optional<std::wstring> text;
  std::optional<int> failWith;
};

class FakeSaveDialog : public ISaveDialog {
 public:
  std::optional<std::wstring> ShowSave(std::wstring_view fileName) override;
  // Answers in turn; nothing left means Cancel.
  std::deque<std::optional<std::wstring>> answers;
  std::vector<std::wstring> offeredNames;
};

class FakeMousePointer : public IMousePointer {
 public:
  explicit FakeMousePointer(EventLog& log) : log_(log) {}
  void SetMousePointer(int value) override;
  int current = 0;

 private:
  EventLog& log_;
};

class FakeInternet : public IInternetApi {
 public:
  explicit FakeInternet(EventLog& log) : log_(log) {}
  InternetHandle InternetOpenA(std::wstring_view agent, unsigned long accessType,
                               const wchar_t* proxy, const wchar_t* proxyBypass,
                               unsigned long flags) override;
  InternetHandle InternetConnectA(InternetHandle internet, std::wstring_view serverName,
                                  unsigned short port, std::wstring_view userName,
                                  std::wstring_view password, unsigned long service,
                                  unsigned long flags, std::uintptr_t context) override;
  bool FtpPutFileA(InternetHandle connection, std::wstring_view localFile,
                   std::wstring_view remoteFile, unsigned long flags,
                   std::uintptr_t context) override;
  bool InternetCloseHandle(InternetHandle handle) override;

  std::optional<int> failOpenWith;  // InternetOpenA raises this error
  bool openSucceeds = true;
  bool connectSucceeds = true;
  std::deque<bool> putResults;  // empty: the transfer fails
  std::vector<std::wstring> calls;
  std::set<InternetHandle> openHandles;

 private:
  EventLog& log_;
  InternetHandle next_ = 0x100;
};

// All fakes together, wired into one Platform.
struct FakePlatform {
  FakePlatform();

  EventLog log;
  FakeSettings settings{log};
  FakeFileSystem files{log};
  FakeObjectFactory objects{log, files};
  FakeClock clock;
  FakeMessageBoxes messageBoxes{log};
  FakeClipboard clipboard;
  FakeSaveDialog saveDialog;
  FakeMousePointer mousePointer{log};
  FakeInternet internet{log};
  MemoryWindowSystem windows{log};
  Platform platform;

  // The lines of the trace file, without their quotes and line ends.
  std::vector<std::wstring> TraceLines() const;
  // Log entries that start with `prefix`.
  std::vector<std::wstring> Entries(std::wstring_view prefix) const;
};

}  // namespace pravex::testing
