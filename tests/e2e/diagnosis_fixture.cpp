#include "tests/e2e/diagnosis_fixture.h"

#include <stdexcept>

#include "forms/main/main_form_def.h"
#include "tests/e2e/driver/ansi_text.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/options.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/driver/window_probe.h"

namespace pravex::e2e {

namespace {

constexpr std::wstring_view kReportNamePrefix = L"QuorvelPravexResult_";
constexpr std::wstring_view kReportNameSuffix = L".txt";

std::wstring FileNameOf(const std::wstring& path) {
  return path.substr(path.find_last_of(L'\\') + 1);
}

}  // namespace

std::wstring_view ReportedName(Product product) {
  return product == Product::kVastrel ? L"Vastrel" : L"ZPX tool";
}

HWND ResultWindow::Control(std::wstring_view name) const {
  return FormControl(handle, Def(), name);
}

HWND ResultWindow::CopyButton() const {
  return Control(VariantOf(kind).copyButtonName);
}

std::wstring ResultWindow::Text() const {
  return TextOf(Control(L"Text1"));
}

void DiagnosisTest::SetUp() {
  PravexTest::SetUp();
  ASSERT_FALSE(StatusToolFolder().empty())
      << "pass the stand-in status tool's folder as --statustool-dir=PATH";
  ASSERT_FALSE(CmdShimPath().empty()) << "pass the interpreter stand-in as --cmdshim=PATH";
  UseStandInTools(environment);
  environment.Remove(L"PRAVEX_SAMPLE_BYTES");
  environment.Remove(L"PRAVEX_SAMPLE_SECONDS");
  UseSample(L"healthy");
}

void DiagnosisTest::UseSample(std::wstring_view sample) {
  environment.Set(L"PRAVEX_SAMPLE", sample);
}

void DiagnosisTest::ChooseAndDiagnose(HWND main, std::optional<Product> product) {
  if (product) {
    PressButton(Control(main, MainFormDef(),
                        *product == Product::kVastrel ? L"OptionVastrel" : L"OptionZPX"));
  }
  PressButton(Control(main, MainFormDef(), L"ButtonDiagnose"));
}

ResultWindow DiagnosisTest::WaitForResultWindow(ResultKind kind) {
  const ResultWindow window{WaitForFormWindow(ResultFormDef(kind), kDiagnosisLimit), kind};
  WaitUntilFormClosed(MainFormDef());
  return window;
}

ResultWindow DiagnosisTest::OpenResultWindow(std::wstring_view sample, Product product,
                                             ResultKind kind, bool debugMode) {
  UseSample(sample);
  const HWND main = debugMode ? LaunchThroughDebugBox() : (Launch(), WaitForMainWindow());
  ChooseAndDiagnose(main, product);
  return WaitForResultWindow(kind);
}

std::wstring DiagnosisTest::ReportPath() {
  const std::vector<std::wstring> reports = ReportFiles();
  if (reports.size() != 1) {
    throw std::runtime_error("expected one report file on C:, found " +
                             std::to_string(reports.size()));
  }
  return reports.front();
}

std::string DiagnosisTest::ReportBytes() {
  const std::wstring path = ReportPath();
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) throw std::runtime_error(Quoted(path) + " went away while being read");
  return *bytes;
}

std::wstring DiagnosisTest::ReportText() {
  return AnsiToWide(ReportBytes());
}

std::wstring DiagnosisTest::ReportStamp() {
  const std::wstring name = FileNameOf(ReportPath());
  if (!name.starts_with(kReportNamePrefix) || !name.ends_with(kReportNameSuffix)) {
    throw std::runtime_error("the report file " + Quoted(name) + " is not named as expected");
  }
  return name.substr(kReportNamePrefix.size(),
                     name.size() - kReportNamePrefix.size() - kReportNameSuffix.size());
}

DiagnosisTest::ShownBox DiagnosisTest::WaitForBox(Milliseconds limit) {
  const MessageBoxView view = WaitForMessageBox(limit);
  return {view, ShownIcon(view.handle, kIconLimit)};
}

DWORD DiagnosisTest::CloseAndWaitForExit(const ResultWindow& window) {
  RequestClose(window.handle);
  return App().ExpectExit(kExitLimit);
}

void DiagnosisTest::Settle(const ResultWindow& window) {
  SettleThrough(window.Control(L"Save"));
}

}  // namespace pravex::e2e
