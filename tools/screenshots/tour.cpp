#include "tools/screenshots/tour.h"

#include <cstdio>

#include "forms/contact/contact_info_form.h"
#include "forms/main/main_form_def.h"
#include "forms/results/help_form.h"
#include "forms/results/result_family.h"
#include "pravex_config.h"
#include "tests/e2e/driver/deadline.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/options.h"
#include "tests/e2e/driver/tcp_port.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/pravex_program.h"
#include "tools/screenshots/pravex_session.h"
#include "tools/screenshots/window_picture.h"

namespace pravex::screenshots {

namespace {

// The test FTP drop closes its port within 50 ms of reading its mode file.
constexpr e2e::Milliseconds kDropSwitchLimit{3000};

class Album {
 public:
  explicit Album(std::wstring folder) : folder_(std::move(folder)) {}

  void Take(HWND window, std::wstring_view name) const {
    SaveWindowPicture(window, folder_ + L"\\" + std::wstring(name) + L".bmp");
    std::printf("screenshots: %s\n", e2e::Utf8(name).c_str());
  }
  // The session's next message box, pictured and answered.
  void TakeBox(const PravexSession& session, std::wstring_view name) const {
    const HWND box = session.WaitForBox();
    Take(box, name);
    PravexSession::PressOk(box);
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
  PravexSession::Press(main, form, L"ButtonDiagnose");
  album.TakeBox(session, L"no-product-warning");
  PravexSession::Press(main, form, L"OptionVastrel");
  PravexSession::Press(main, form, L"ButtonDiagnose");
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
  const FormDef& resultForm = ResultFormDef(ResultKind::Result);
  const FormDef& contactForm = ContactInfoFormDef();
  PravexSession::Press(result, resultForm, L"FTP");
  HWND contact = session.WaitForForm(contactForm);
  e2e::ReplaceText(e2e::FormControl(contact, contactForm, L"Text1"), L"Jane Example");
  e2e::ReplaceText(e2e::FormControl(contact, contactForm, L"Text2"), L"Example Ltd");
  e2e::ReplaceText(e2e::FormControl(contact, contactForm, L"Text3"), L"jane@example.com");
  album.Take(contact, L"contact-window");
  if (e2e::FtpModeFilePath().empty()) {
    PravexSession::Press(contact, contactForm, L"CancelButton");
    session.WaitUntilFormClosed(contactForm);
    notes.push_back("no test FTP drop: ftp-success and ftp-connect-failure were not taken");
    return;
  }
  SwitchDrop("normal", true);
  PravexSession::Press(contact, contactForm, L"OKButton");
  album.TakeBox(session, L"ftp-success");

  SwitchDrop("absent", false);
  PravexSession::Press(result, resultForm, L"FTP");
  contact = session.WaitForForm(contactForm);
  PravexSession::Press(contact, contactForm, L"OKButton");
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
      {L"healthy", ResultKind::Result, L"result-healthy"},
      {L"expired", ResultKind::IssueA, L"result-expired-license"},
      {L"missing", ResultKind::IssueB, L"result-missing-license"},
      {L"crashed", ResultKind::IssueC, L"result-crashed-service"},
      {L"stopped", ResultKind::IssueD, L"result-stopped-service"},
  };
  for (const Scene& scene : scenes) {
    const PravexSession session(scene.sample, false);
    const HWND main = session.WaitForForm(MainFormDef());
    PravexSession::Press(main, MainFormDef(), L"OptionVastrel");
    PravexSession::Press(main, MainFormDef(), L"ButtonDiagnose");
    const HWND result = session.WaitForForm(ResultFormDef(scene.kind));
    session.WaitUntilFormClosed(MainFormDef());
    album.Take(result, scene.picture);
    if (scene.kind == ResultKind::Result) SendFrom(session, result, album, notes);
    e2e::RequestClose(result);
    session.WaitForExit();
  }
}

}  // namespace

std::vector<std::string> TakeTour(const std::wstring& folder) {
  const Album album(folder);
  std::vector<std::string> notes;
  StartInDebugMode(album);
  MainWindowHelpAndBoxes(album);
  ResultWindows(album, notes);
  e2e::RemoveSettingsAndFiles();
  return notes;
}

}  // namespace pravex::screenshots
