// screenshots.exe: drives Pravex through each of its windows and boxes and
// saves a picture of each as <folder>\<name>.bmp; scripts/screenshots.sh
// runs it under Wine.
//   screenshots.exe --pravex=PATH --statustool-dir=PATH --cmdshim=PATH
//                   [--ftp-root=PATH --ftp-mode-file=PATH] FOLDER
// With the test FTP drop's mode file it pictures the send's boxes too.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/contact/contact_info_form_def.h"
#include "forms/help/help_form_def.h"
#include "forms/main/main_form_def.h"
#include "forms/results/result_form_def.h"
#include "pravex_config.h"
#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/message_box.h"
#include "tests/e2e/driver/options.h"
#include "tests/e2e/driver/tcp_port.h"
#include "tests/e2e/driver/user_registry.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/pravex_program.h"
#include "tools/screenshots/window_picture.h"

namespace {

using namespace pravex;
using e2e::Milliseconds;

// Under Wine a start takes about half a second; a diagnosis a little more.
constexpr Milliseconds kShowLimit{20000};
constexpr Milliseconds kCloseLimit{5000};
// The test FTP drop closes its port within 50 ms of reading its mode file.
constexpr Milliseconds kDropSwitchLimit{3000};

e2e::EnvironmentBlock PrepareRun(std::wstring_view sample, bool debugMode) {
  e2e::RemoveSettingsAndFiles();
  if (debugMode) e2e::WriteUserString(e2e::kInfoKey, L"DebugMode", L"True");
  e2e::EnvironmentBlock environment = e2e::EnvironmentBlock::Current();
  e2e::UseStandInTools(environment);
  environment.Set(L"PRAVEX_SAMPLE", sample);
  return environment;
}

// One run of Pravex, started on a clean slate (in debug mode if asked) with
// the stand-in status tool giving `sample`.
class PravexSession {
 public:
  PravexSession(std::wstring_view sample, bool debugMode)
      : app_(e2e::PravexExePath(), PrepareRun(sample, debugMode)) {}

  HWND WaitForForm(const FormDef& form) const {
    return e2e::WaitForTopWindow(app_.Id(), {.className = e2e::FormWindowClass(form)}, kShowLimit);
  }
  void WaitUntilFormClosed(const FormDef& form) const {
    e2e::WaitUntilNoTopWindow(app_.Id(), {.className = e2e::FormWindowClass(form)}, kCloseLimit);
  }
  HWND WaitForBox() const { return e2e::WaitForMessageBox(app_.Id(), kShowLimit).handle; }
  // Pravex ends by itself when its last window closes.
  void WaitForExit() const {
    if (const DWORD code = app_.ExpectExit(kCloseLimit); code != 0) {
      throw std::runtime_error("Pravex ended with exit code " + std::to_string(code));
    }
  }

 private:
  e2e::AppProcess app_;
};

void Press(HWND window, const FormDef& form, std::wstring_view button) {
  e2e::PressButton(e2e::FormControl(window, form, button));
}

class Album {
 public:
  explicit Album(std::wstring folder) : folder_(std::move(folder)) {}

  void Take(HWND window, std::wstring_view name) const {
    screenshots::SaveWindowPicture(window, folder_ + L"\\" + std::wstring(name) + L".bmp");
    std::printf("screenshots: %s\n", e2e::Utf8(name).c_str());
  }
  // The session's next message box, pictured and answered.
  void TakeBox(const PravexSession& session, std::wstring_view name) const {
    const HWND box = session.WaitForBox();
    Take(box, name);
    e2e::AnswerMessageBox(box, IDOK, kCloseLimit);
  }

 private:
  std::wstring folder_;
};

void StartInDebugMode(const Album& album) {
  const PravexSession session(L"healthy", true);
  album.TakeBox(session, L"debug-mode-box");
  e2e::ChooseMainMenu(session.WaitForForm(MainFormDef()), L"MenuExit");
  session.WaitForExit();
}

void MainWindowHelpAndBoxes(const Album& album) {
  // The tool's report lacks the validity marker: the diagnosis fails.
  const PravexSession session(L"unusable", false);
  const FormDef& form = MainFormDef();
  const HWND main = session.WaitForForm(form);
  album.Take(main, L"main-window");

  e2e::ChooseMainMenu(main, L"MenuHelpContents");
  const HWND help = session.WaitForForm(FormHelpDef());
  album.Take(help, L"help-window");
  e2e::RequestClose(help);
  session.WaitUntilFormClosed(FormHelpDef());

  e2e::ChooseMainMenu(main, L"MenuAbout");
  album.TakeBox(session, L"about-box");
  Press(main, form, L"ButtonDiagnose");
  album.TakeBox(session, L"no-product-warning");
  Press(main, form, L"OptionVastrel");
  Press(main, form, L"ButtonDiagnose");
  album.TakeBox(session, L"diagnostic-failed");
  e2e::ChooseMainMenu(main, L"MenuExit");
  session.WaitForExit();
}

void SwitchDrop(std::string_view mode, bool open) {
  e2e::WriteFileBytes(e2e::FtpModeFilePath(), std::string(mode) + "\n");
  e2e::WaitUntil([&] { return e2e::LocalPortAccepts(config::kFtpPort) == open; }, kDropSwitchLimit,
                 "the test FTP drop to switch to " + std::string(mode));
}

// Fills the contact window; with a drop to send to, sends once to it and
// once more with it gone.
void SendFrom(const PravexSession& session, HWND result, const Album& album,
              std::vector<std::string>& notes) {
  const FormDef& resultForm = ResultFormDef(ResultKind::kResult);
  const FormDef& contactForm = ContactInfoFormDef();
  Press(result, resultForm, L"FTP");
  HWND contact = session.WaitForForm(contactForm);
  e2e::ReplaceText(e2e::FormControl(contact, contactForm, L"Text1"), L"Jane Example");
  e2e::ReplaceText(e2e::FormControl(contact, contactForm, L"Text2"), L"Example Ltd");
  e2e::ReplaceText(e2e::FormControl(contact, contactForm, L"Text3"), L"jane@example.com");
  album.Take(contact, L"contact-window");
  if (e2e::FtpModeFilePath().empty()) {
    Press(contact, contactForm, L"CancelButton");
    session.WaitUntilFormClosed(contactForm);
    notes.push_back("no test FTP drop: ftp-success and ftp-connect-failure were not taken");
    return;
  }
  SwitchDrop("normal", true);
  Press(contact, contactForm, L"OKButton");
  album.TakeBox(session, L"ftp-success");

  SwitchDrop("absent", false);
  Press(result, resultForm, L"FTP");
  contact = session.WaitForForm(contactForm);
  Press(contact, contactForm, L"OKButton");
  album.TakeBox(session, L"ftp-connect-failure");
  SwitchDrop("normal", true);
}

void ResultWindows(const Album& album, std::vector<std::string>& notes) {
  struct Scene {
    const wchar_t* sample;
    ResultKind kind;
    const wchar_t* picture;
  };
  const Scene scenes[] = {
      {L"healthy", ResultKind::kResult, L"result-healthy"},
      {L"expired", ResultKind::kIssueA, L"result-expired-license"},
      {L"missing", ResultKind::kIssueB, L"result-missing-license"},
      {L"crashed", ResultKind::kIssueC, L"result-crashed-service"},
      {L"stopped", ResultKind::kIssueD, L"result-stopped-service"},
  };
  for (const Scene& scene : scenes) {
    const PravexSession session(scene.sample, false);
    const HWND main = session.WaitForForm(MainFormDef());
    Press(main, MainFormDef(), L"OptionVastrel");
    Press(main, MainFormDef(), L"ButtonDiagnose");
    const HWND result = session.WaitForForm(ResultFormDef(scene.kind));
    session.WaitUntilFormClosed(MainFormDef());
    album.Take(result, scene.picture);
    if (scene.kind == ResultKind::kResult) SendFrom(session, result, album, notes);
    e2e::RequestClose(result);
    session.WaitForExit();
  }
}

// Takes every picture it can and returns a note for each one it had to
// leave out; throws std::runtime_error when a step goes wrong.
std::vector<std::string> TakeTour(const std::wstring& folder) {
  const Album album(folder);
  std::vector<std::string> notes;
  StartInDebugMode(album);
  MainWindowHelpAndBoxes(album);
  ResultWindows(album, notes);
  e2e::RemoveSettingsAndFiles();
  return notes;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Pictures in real pixels, whatever the display scaling.
  ::SetProcessDPIAware();
  std::string error;
  if (!e2e::ReadOptions(argc, argv, error)) {
    std::fprintf(stderr, "screenshots: %s\n", error.c_str());
    return 2;
  }
  if (argc != 2 || e2e::StatusToolFolder().empty() || e2e::CmdShimPath().empty()) {
    std::fprintf(stderr,
                 "usage: screenshots.exe --pravex=PATH --statustool-dir=PATH --cmdshim=PATH "
                 "[--ftp-root=PATH --ftp-mode-file=PATH] FOLDER\n");
    return 2;
  }
  try {
    for (const std::string& note : TakeTour(argv[1])) {
      std::fprintf(stderr, "screenshots: %s\n", note.c_str());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "screenshots: %s\n", e.what());
    return 1;
  }
  return 0;
}
