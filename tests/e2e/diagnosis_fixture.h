// What the tests of a diagnosis share: Pravex started with the stand-in
// status tool on its PATH and the interpreter stand-in as %ComSpec%, a
// product chosen and Diagnose pressed, the result window it opens and the
// report file it leaves on C:.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "forms/results/result_form_def.h"
#include "tests/e2e/driver/box_icon.h"
#include "tests/e2e/pravex_fixture.h"

namespace pravex::e2e {

// What a report without the validity marker makes Pravex say.
inline constexpr std::wstring_view kDiagnosticFailed =
    L"Diagnostic failed. \r\nPossible cause: Vastrel/ZPX is not installed on the machine.";

enum class Product { kVastrel, kZpx };

// The name the stand-in tool gives the product in its report.
std::wstring_view ReportedName(Product product);

// A live result window and the form it shows.
struct ResultWindow {
  HWND handle = nullptr;
  ResultKind kind = ResultKind::kResult;

  const FormDef& Def() const { return ResultFormDef(kind); }
  std::wstring Name() const { return std::wstring(Def().name); }
  HWND Control(std::wstring_view name) const;
  // "Copy to Clipboard" has a name of its own in one of the windows.
  HWND CopyButton() const;
  std::wstring Text() const;  // Text1
};

class DiagnosisTest : public PravexTest {
 protected:
  // Time for the interpreter and the tool to start and report under Wine.
  static constexpr Milliseconds kDiagnosisLimit{20000};
  static constexpr Milliseconds kIconLimit{2000};

  // Fails the test when the driver was not told where the tools are.
  void SetUp() override;

  // The stand-in tool gives this sample at the next diagnosis.
  void UseSample(std::wstring_view sample);

  // In the main window: chooses the product, if any, and presses Diagnose.
  static void ChooseAndDiagnose(HWND main, std::optional<Product> product);

  // The result window of `kind` once it shows and the main window has gone.
  ResultWindow WaitForResultWindow(ResultKind kind);
  // Starts Pravex (in debug mode if asked), diagnoses `product` with the
  // tool giving `sample`, and returns the result window of `kind`.
  ResultWindow OpenResultWindow(std::wstring_view sample, Product product, ResultKind kind,
                                bool debugMode = false);

  // The one report file on C:; throws std::runtime_error when there is not
  // exactly one.
  static std::wstring ReportPath();
  static std::string ReportBytes();
  // The report as the program reads it back: its bytes from the ANSI code page.
  static std::wstring ReportText();
  // The report's time stamp: its file name between "QuorvelPravexResult_"
  // and ".txt".
  static std::wstring ReportStamp();

  // The box Pravex shows next, with its icon told apart.
  struct ShownBox {
    MessageBoxView view;
    BoxIcon icon;
  };
  ShownBox WaitForBox(Milliseconds limit = kShowLimit);

  // Closes the result window by its close box and waits for the program
  // to end; its exit code.
  DWORD CloseAndWaitForExit(const ResultWindow& window);

  // Returns once the result window's thread has handled everything posted.
  static void Settle(const ResultWindow& window);
  using PravexTest::Settle;
};

}  // namespace pravex::e2e
