// One press of Diagnose: run the status tool, read its report back, and open
// the result window the report calls for.
#include "common/errors.h"
#include "common/module1.h"
#include "diagnosis/classification.h"
#include "diagnosis/report_name.h"
#include "diagnosis/status_tool_wait.h"
#include "forms/forms.h"
#include "forms/main/main_form.h"
#include "forms/results/result_form.h"
#include "pravex_config.h"

namespace pravex {

namespace {

constexpr std::wstring_view kNoProductWarning =
    L"Select the tool type: Vastrel or ZPX tool other than Vastrel";
constexpr std::wstring_view kDiagnosticFailed =
    L"Diagnostic failed. \r\nPossible cause: Vastrel/ZPX is not installed on the machine.";

// The trace line number of each marker row, and of "no row matched".
constexpr int kFirstRowLine = 10;
constexpr int kNoRowLine = 16;

// Closes the report's reader however the reading ends.
class ClosesWhenDone {
 public:
  explicit ClosesWhenDone(ITextStream& stream) : stream_(stream) {}
  ClosesWhenDone(const ClosesWhenDone&) = delete;
  ClosesWhenDone& operator=(const ClosesWhenDone&) = delete;
  ~ClosesWhenDone() {
    try {
      stream_.Close();
    } catch (...) {
      // Closing a reader has nothing to report that reading did not.
    }
  }

 private:
  ITextStream& stream_;
};

}  // namespace

void MainForm::CreateReportFile() {
  // Made here, for the user running Pravex alone, before the interpreter's
  // redirection writes into it and keeps its permissions: C:\ lets every
  // user read and change the files made in it, and the report later holds
  // the customer's e-mail address. Whatever had the name before goes, so
  // the redirection never writes into a file or link someone else placed.
  try {
    m_.platform.files.WriteText(m_.sResultFile, OpenMode::kNewPrivate, L"");
  } catch (const HostError& e) {
    // Without a drive C: the redirection fails the same way, and the run
    // ends in "Diagnostic failed." as without a report.
    if (e.Number() != error::kPathNotFound) throw;
  }
}

Form& MainForm::ResultWindow(ResultKind kind) {
  switch (kind) {
    case ResultKind::kIssueA:
      return windows_.formIssueA;
    case ResultKind::kIssueB:
      return windows_.formIssueB;
    case ResultKind::kIssueC:
      return windows_.formIssueC;
    case ResultKind::kIssueD:
      return windows_.formIssueD;
    case ResultKind::kResult:
      break;
  }
  return windows_.formResult;
}

void MainForm::ButtonDiagnose_Click() {
  IMousePointer& pointer = m_.platform.mousePointer;
  try {
    m_.WriteTrace(L"ButtonDiagnose_Click() 1: Button pressed");
    pointer.SetMousePointer(pointer::kHourglass);
    m_.bDiagnosed = false;
    m_.bChoseZpx = false;
    m_.bChoseVastrel = false;

    std::wstring_view argument;
    if (Ctl(kOptionVastrel).Value()) {
      argument = config::kArgVastrel;
      m_.bChoseVastrel = true;
    } else if (Ctl(kOptionZPX).Value()) {
      argument = config::kArgZpx;
      m_.bChoseZpx = true;
    } else {
      m_.MsgBox(kNoProductWarning, mb::kExclamation);
    }

    if (m_.bChoseVastrel || m_.bChoseZpx) {
      m_.WriteTrace(L"ButtonDiagnose_Click() 4: Going to call ExecCommand");
      const std::wstring sCommand =
          std::wstring(config::kStatusCommand) + L" " + std::wstring(argument);
      m_.sResultText = ExecCommand(sCommand);
      m_.WriteTrace(L"ButtonDiagnose_Click() 5: ExecCommand returned");
      m_.bDiagnosed = true;
      pointer.SetMousePointer(pointer::kDefault);
      m_.WriteTrace(L"ButtonDiagnose_Click() 5: Going to check the texts in result file");

      const ClassificationTable& table = ConfiguredTable();
      const Verdict verdict = Classify(m_.sResultText, table);
      if (!verdict.valid) {
        m_.WriteTrace(L"ButtonDiagnose_Click() 6: Diagnostic failed.");
        m_.MsgBox(kDiagnosticFailed, mb::kCritical);
      } else {
        if (verdict.row > 0) {
          m_.WriteTrace(L"ButtonDiagnose_Click() " +
                        std::to_wstring(kFirstRowLine + verdict.row - 1) + L": " +
                        std::wstring(table.rows[verdict.row - 1].label) + L" detected");
        } else {
          m_.WriteTrace(L"ButtonDiagnose_Click() " + std::to_wstring(kNoRowLine) +
                        L": No error detected and will show Result form and unload main form");
        }
        forms().Show(ResultWindow(WindowFor(verdict)));
        forms().Unload(*this);
      }
    }

    pointer.SetMousePointer(pointer::kDefault);
    m_.WriteTrace(L"ButtonDiagnose_Click() 17: Exiting module");
  } catch (...) {
    const ErrorInfo error = CurrentErrorInfo();
    // The hourglass must not outlive the press that set it.
    pointer.SetMousePointer(pointer::kDefault);
    m_.ReportTrappedError(L"ButtonDiagnose_Click", error);
  }
}

std::wstring MainForm::ExecCommand(const std::wstring& sCommand) {
  std::wstring result;
  try {
    m_.WriteTrace(L"ExecCommand() 2: Will obtain date and time");
    IClock& clock = m_.platform.clock;
    m_.sResultFile = ReportFilePath(GeneralDateText(clock, clock.Now()));
    m_.WriteTrace(L"ExecCommand() 3: Will run command");
    CreateReportFile();
    m_.oShell->Run(ReportCommandLine(sCommand, m_.sResultFile), window_style::kHidden, true,
                   StatusToolWaitCheck(m_));
    m_.WriteTrace(L"ExecCommand() 4: Will check to see if the output temp file exists");
    if (m_.oFSO->FileExists(m_.sResultFile)) {
      m_.WriteTrace(L"ExecCommand() 5: File exists");
      m_.oTextStream = m_.oFSO->OpenTextFile(m_.sResultFile);
      const ClosesWhenDone closes(*m_.oTextStream);
      result = m_.oTextStream->ReadAll();
    } else {
      m_.WriteTrace(L"ExecCommand() 6: File does NOT exist");
    }
  } catch (...) {
    m_.ReportTrappedError(L"ExecCommand", CurrentErrorInfo());
  }
  return result;
}

}  // namespace pravex
