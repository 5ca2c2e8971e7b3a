// The program's shared state for the whole run, and the procedures every
// window uses: the trace writer, message boxes and the settings.
#pragma once

#include <string>
#include <string_view>

#include "common/object_ref.h"
#include "platform/platform.h"

namespace pravex {

inline constexpr std::wstring_view kVersion = L"1.00";
inline constexpr std::wstring_view kAppTitle = L"Pravex";
inline constexpr std::wstring_view kSettingsApp = L"QuorvelPravex";
inline constexpr std::wstring_view kSettingsSection = L"Info";
inline constexpr std::wstring_view kTraceFile = L"C:\\QuorvelPravexTrace.txt";

// A trace entry or an appended e-mail line: the text between double quotes,
// unescaped, ended by CR LF.
std::wstring QuotedRecord(std::wstring_view text);

class Module1 {
 public:
  explicit Module1(Platform& host) : platform(host) {}
  Module1(const Module1&) = delete;
  Module1& operator=(const Module1&) = delete;

  Platform& platform;

  bool bDebugMode = false;
  bool bFtpSent = false;
  bool bDiagnosed = false;
  bool bChoseVastrel = false;
  bool bChoseZpx = false;
  bool bContactOK = false;

  ObjectRef<IShellObject> oShell;
  ObjectRef<IFileSystemObject> oFSO;
  ObjectRef<ITextStream> oTextStream;

  std::wstring sResultFile;
  std::wstring sResultText;

  // Appends one quoted line to the trace file when debug mode is on. A line
  // that cannot be written is dropped; the first such failure of the run is
  // reported once, and the program always goes on.
  void WriteTrace(std::wstring_view message);

  // Creates the trace file anew with the run's first line. Error 76 (no
  // drive C:) propagates to start-up's trap; any other failure is reported
  // like a failed trace line and start-up goes on.
  void StartTrace(std::wstring_view firstLine);

  int MsgBox(std::wstring_view prompt, int style = mb::kOkOnly,
             std::wstring_view title = kAppTitle);

  // The convention of the error traps: a trace line "<procedure>() error: N:
  // description" and the message "Error in <procedure>: N: description",
  // followed on a line of its own by what it means for the user, if given.
  void ReportTrappedError(std::wstring_view procedure, const ErrorInfo& error,
                          std::wstring_view consequence = {});

  std::wstring GetSetting(std::wstring_view key, std::wstring_view defaultValue);
  void SaveSetting(std::wstring_view key, std::wstring_view value);

 private:
  void ReportTraceFailure(const ErrorInfo& error);

  bool traceFailureReported_ = false;
};

}  // namespace pravex
