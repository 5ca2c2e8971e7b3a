#include "common/module1.h"

namespace pravex {

namespace {

std::wstring TrappedErrorMessage(std::wstring_view procedure, const ErrorInfo& error,
                                 std::wstring_view consequence) {
  std::wstring message = L"Error in " + std::wstring(procedure) + L": " + ErrorText(error);
  if (!consequence.empty()) {
    message += L"\r\n";
    message += consequence;
  }
  return message;
}

}  // namespace

std::wstring QuotedRecord(std::wstring_view text) {
  std::wstring record;
  record.reserve(text.size() + 4);
  record += L'"';
  record += text;
  record += L"\"\r\n";
  return record;
}

void Module1::WriteTrace(std::wstring_view message) {
  if (!bDebugMode) return;
  try {
    platform.files.WriteText(kTraceFile, OpenMode::kAppend, QuotedRecord(message));
  } catch (...) {
    ReportTraceFailure(CurrentErrorInfo());
  }
}

void Module1::StartTrace(std::wstring_view firstLine) {
  try {
    // Its lines tell what the run did: for the user running Pravex alone.
    platform.files.WriteText(kTraceFile, OpenMode::kNewPrivate, QuotedRecord(firstLine));
  } catch (const HostError& e) {
    if (e.Number() == error::kPathNotFound) throw;
    ReportTraceFailure({e.Number(), e.Description()});
  }
}

void Module1::ReportTraceFailure(const ErrorInfo& error) {
  if (traceFailureReported_) return;
  traceFailureReported_ = true;
  try {
    // Not through ReportTrappedError: its trace line would fail again.
    MsgBox(TrappedErrorMessage(L"WriteTrace", error,
                               L"The trace file " + std::wstring(kTraceFile) +
                                   L" cannot be written; the tool goes on without it."));
  } catch (...) {
    // Nothing more can be done about a trace that cannot be written.
  }
}

int Module1::MsgBox(std::wstring_view prompt, int style, std::wstring_view title) {
  return platform.messageBoxes.Show(prompt, style, title);
}

void Module1::ReportTrappedError(std::wstring_view procedure, const ErrorInfo& error,
                                 std::wstring_view consequence) {
  WriteTrace(std::wstring(procedure) + L"() error: " + ErrorText(error));
  MsgBox(TrappedErrorMessage(procedure, error, consequence));
}

std::wstring Module1::GetSetting(std::wstring_view key, std::wstring_view defaultValue) {
  return platform.settings.GetSetting(kSettingsApp, kSettingsSection, key, defaultValue);
}

void Module1::SaveSetting(std::wstring_view key, std::wstring_view value) {
  platform.settings.SaveSetting(kSettingsApp, kSettingsSection, key, value);
}

}  // namespace pravex
