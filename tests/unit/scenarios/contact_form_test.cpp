#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "forms/contact/contact_info_form.h"
#include "pravex_config.h"
#include "tests/unit/scenarios/program_fixture.h"

namespace pravex::testing {
namespace {

using ::testing::ElementsAre;

constexpr const wchar_t* kReport = L"C:\\QuorvelPravexResult_3-3-2025_2-05-09_PM.txt";
const std::string kReportBytes = "ZPX report\r\nlast line without break";

// A program showing a result window, ready to send.
class SendTest : public ProgramTest {
 protected:
  void SetUp() override {
    fake_.settings.values[L"DebugMode"] = L"True";
    fake_.objects.onRun = [this](const std::wstring&) {
      fake_.files.files[kReport] = ToAnsi(config::kValidityMarker) + "\r\n" + kReportBytes;
    };
    fake_.internet.putResults = {true, true, true};
    Start();
    Window(L"MainForm").Click(L"OptionVastrel");
    Window(L"MainForm").Click(L"ButtonDiagnose");
    fake_.messageBoxes.shown.clear();
  }

  // Presses Send; `user` acts in the contact window while it is up.
  void Send(std::function<void(MemoryWindow&)> user) {
    fake_.windows.onModal = std::move(user);
    Window(L"FormResult").Click(L"FTP");
  }

  static void Fill(MemoryWindow& w, const wchar_t* name, const wchar_t* company,
                   const wchar_t* email) {
    w.Type(L"Text1", name);
    w.Type(L"Text2", company);
    w.Type(L"Text3", email);
  }

  std::string ReportBytes() { return fake_.files.Bytes(kReport); }
  std::string Original() { return ToAnsi(config::kValidityMarker) + "\r\n" + kReportBytes; }
};

TEST_F(SendTest, OkStoresTheDetailsAppendsTheEmailLineAndUploads) {
  Send([](MemoryWindow& w) {
    Fill(w, L"Test User", L"Test Company Ltd", L"a\"b@example.com");
    w.Click(L"OKButton");
  });
  EXPECT_THAT(fake_.Entries(L"save: "),
              ElementsAre(L"save: Name=Test User", L"save: Company=Test Company Ltd",
                          L"save: email=a\"b@example.com"));
  EXPECT_EQ(ReportBytes(), Original() + "\"Customer's e-mail is: a\"b@example.com\"\r\n");
  ASSERT_EQ(fake_.internet.calls.size(), 3u);
  EXPECT_EQ(fake_.internet.calls[2],
            L"FtpPutFileA(257, " + std::wstring(kReport) +
                L", support/incoming/QuorvelPravexResult_Test_User_Test_Company_Ltd_3-3-2025_2-05-"
                L"09_PM.txt, 0, 0)");
  EXPECT_FALSE(program().module1.bContactOK) << "cleared after the upload";
  EXPECT_TRUE(program().module1.bFtpSent);
  const auto trace = fake_.TraceLines();
  const auto first = std::find(trace.begin(), trace.end(),
                               L"ContactInfoForm.Form_Load() 1: Will obtain registry value");
  ASSERT_GE(std::distance(first, trace.end()), 7);
  const std::vector<std::wstring> tail(first, first + 7);
  EXPECT_THAT(tail, ElementsAre(L"ContactInfoForm.Form_Load() 1: Will obtain registry value",
                                L"ContactInfoForm.Form_Load() 2: Registry value obtained",
                                L"OKButton_Click() 1: Will save information to registry",
                                L"OKButton_Click() 2: Information saved to registry",
                                L"OKButton_Click() 3: Will check to see if the output temp file "
                                L"exists",
                                L"OKButton_Click() 4: File exists",
                                L"FTPResult() 1: Going to call InternetOpen"));
}

TEST_F(SendTest, EmptyFieldsAreNamedOneAtATimeInOrder) {
  struct Case {
    const wchar_t* name;
    const wchar_t* company;
    const wchar_t* email;
    const wchar_t* message;
  };
  const Case cases[] = {
      {L"", L"", L"", L"Fill in your name"},
      {L"", L"Co", L"e@x", L"Fill in your name"},
      {L"N", L"", L"", L"Fill in your Company's name"},
      {L"N", L"Co", L"", L"Fill in your e-mail address"},
  };
  for (std::size_t row = 0; row < std::size(cases); ++row) {
    fake_.messageBoxes.shown.clear();
    const auto settingsBefore = fake_.settings.values;
    Send([&](MemoryWindow& w) {
      Fill(w, cases[row].name, cases[row].company, cases[row].email);
      w.Click(L"OKButton");
      EXPECT_NE(fake_.windows.Find(L"ContactInfoForm"), nullptr) << "row " << row;
      EXPECT_FALSE(program().module1.bContactOK) << "row " << row;
      w.Click(L"CancelButton");
    });
    ASSERT_EQ(fake_.messageBoxes.shown.size(), 1u) << "row " << row;
    EXPECT_EQ(fake_.messageBoxes.shown[0].prompt, cases[row].message) << "row " << row;
    EXPECT_EQ(fake_.messageBoxes.shown[0].style, 48) << "row " << row;
    EXPECT_EQ(fake_.settings.values, settingsBefore) << "row " << row << ": nothing stored";
  }
  EXPECT_EQ(ReportBytes(), Original());
  EXPECT_TRUE(fake_.internet.calls.empty());
}

TEST_F(SendTest, BlanksCountAsFilledAndAreKeptAsTyped) {
  Send([](MemoryWindow& w) {
    Fill(w, L" ", L"  ", L" e ");
    w.Click(L"OKButton");
  });
  EXPECT_EQ(fake_.settings.values.at(L"Name"), L" ");
  EXPECT_EQ(ReportBytes(), Original() + "\"Customer's e-mail is:  e \"\r\n");
}

TEST_F(SendTest, CancelEscAndTheCloseBoxSendNothing) {
  fake_.settings.values[L"Name"] = L"Stored";
  Send([](MemoryWindow& w) {
    EXPECT_EQ(w.Text(ControlIndex(w.Def(), L"Text1")), L"Stored");
    Fill(w, L"New", L"Co", L"e@x");
    w.Click(L"CancelButton");
  });
  Send([](MemoryWindow& w) {
    Fill(w, L"New", L"Co", L"e@x");
    w.Close();
  });
  EXPECT_EQ(fake_.settings.values.at(L"Name"), L"Stored");
  EXPECT_EQ(ReportBytes(), Original());
  EXPECT_TRUE(fake_.internet.calls.empty());
  EXPECT_FALSE(program().module1.bContactOK);
}

TEST_F(SendTest, TheNextSendProposesTheConfirmedValuesAndNeedsItsOwnOk) {
  Send([](MemoryWindow& w) {
    Fill(w, L"Ann", L"Acme", L"ann@acme");
    w.Click(L"OKButton");
  });
  Send([](MemoryWindow& w) {
    EXPECT_EQ(w.Text(ControlIndex(w.Def(), L"Text1")), L"Ann");
    EXPECT_EQ(w.Text(ControlIndex(w.Def(), L"Text2")), L"Acme");
    EXPECT_EQ(w.Text(ControlIndex(w.Def(), L"Text3")), L"ann@acme");
    w.Close();
  });
  Send([](MemoryWindow& w) { w.Click(L"OKButton"); });
  EXPECT_EQ(ReportBytes(), Original() +
                               "\"Customer's e-mail is: ann@acme\"\r\n"
                               "\"Customer's e-mail is: ann@acme\"\r\n");
  EXPECT_EQ(fake_.Entries(L"inet: put").size(), 2u);
}

TEST_F(SendTest, AMissingReportIsNotAppendedToButStillConfirmed) {
  fake_.files.files.erase(kReport);
  Send([](MemoryWindow& w) {
    Fill(w, L"Ann", L"Acme", L"a@b");
    w.Click(L"OKButton");
  });
  EXPECT_FALSE(fake_.files.Exists(kReport));
  EXPECT_THAT(fake_.TraceLines(), ::testing::Contains(L"OKButton_Click() 5: File does NOT exist"));
  EXPECT_EQ(fake_.Entries(L"inet: put").size(), 1u);
}

TEST_F(SendTest, ControlCharactersFromTheSettingsStayOutOfTheReportLine) {
  fake_.settings.values[L"email"] = L"a@b\r\nInjected\tline";
  fake_.settings.values[L"Name"] = L"Ann";
  fake_.settings.values[L"Company"] = L"Acme";
  Send([](MemoryWindow& w) { w.Click(L"OKButton"); });
  EXPECT_EQ(ReportBytes(), Original() + "\"Customer's e-mail is: a@b  Injected line\"\r\n");
}

TEST_F(SendTest, AReportThatCannotBeAppendedToIsReportedAndStillSent) {
  fake_.files.failures[kReport] = 75;
  Send([](MemoryWindow& w) {
    Fill(w, L"Ann", L"Acme", L"a@b");
    w.Click(L"OKButton");
  });
  ASSERT_GE(fake_.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(fake_.messageBoxes.shown[0].prompt,
            L"Error in ContactInfoForm.OKButton_Click: 75: Path/File access error\r\nYour e-mail "
            L"address could not be added to the report file " +
                std::wstring(kReport) + L"; the report is sent without it.");
  EXPECT_EQ(fake_.Entries(L"inet: put").size(), 1u);
}

TEST_F(SendTest, SettingsThatCannotBeStoredAreReportedAndNothingIsSent) {
  fake_.settings.failSaveWith = 70;
  Send([&](MemoryWindow& w) {
    Fill(w, L"Ann", L"Acme", L"a@b");
    w.Click(L"OKButton");
    EXPECT_NE(fake_.windows.Find(L"ContactInfoForm"), nullptr);
    w.Click(L"CancelButton");
  });
  EXPECT_EQ(fake_.messageBoxes.shown.at(0).prompt,
            L"Error in ContactInfoForm.OKButton_Click: 70: Permission denied");
  EXPECT_TRUE(fake_.internet.calls.empty());
  EXPECT_EQ(ReportBytes(), Original());
}

TEST_F(SendTest, AnUploadThatRaisesAnErrorStillNeedsANewOkForTheNextSend) {
  fake_.internet.failOpenWith = 48;
  Send([](MemoryWindow& w) {
    Fill(w, L"Ann", L"Acme", L"a@b");
    w.Click(L"OKButton");
  });
  EXPECT_THAT(Prompts(),
              ElementsAre(::testing::StartsWith(L"Error in FormResult.FTP_Click: 48: ")));
  EXPECT_FALSE(program().module1.bContactOK);
  fake_.internet.failOpenWith.reset();
  Send([](MemoryWindow& w) { w.Close(); });
  EXPECT_EQ(fake_.Entries(L"inet: open").size(), 1u) << "the close box sent again";
}

TEST_F(SendTest, PressesAndCloseRequestsDuringTheUploadAreDropped) {
  struct Row {
    const char* what;
    void (*act)(MemoryWindow& result);
  };
  const Row rows[] = {
      {"Send", [](MemoryWindow& result) { result.Click(L"FTP"); }},
      {"close box", [](MemoryWindow& result) { result.Close(); }},
      {"Copy", [](MemoryWindow& result) { result.Click(L"CopyToClipboard"); }},
      {"Save", [](MemoryWindow& result) { result.Click(L"Save"); }},
  };
  fake_.saveDialog.answers = {L"C:\\saved.txt"};
  for (const Row& row : rows) {
    // While a library call is under way, and while the outcome is shown.
    for (const bool duringTheBox : {false, true}) {
      const std::string where =
          std::string(row.what) + (duringTheBox ? " at the box" : " in a call");
      fake_.log.clear();
      fake_.internet.putResults = {true};
      MemoryWindow& result = Window(L"FormResult");
      fake_.windows.onWait = [&] {
        if (!duringTheBox) row.act(result);
      };
      fake_.messageBoxes.onShow = [&](const ShownMessage&) {
        if (duringTheBox) row.act(result);
      };
      Send([](MemoryWindow& w) {
        Fill(w, L"Ann", L"Acme", L"a@b");
        w.Click(L"OKButton");
      });
      EXPECT_EQ(fake_.Entries(L"modal: ").size(), 1u) << where;
      EXPECT_EQ(fake_.Entries(L"inet: put").size(), 1u) << where;
      EXPECT_TRUE(fake_.Entries(L"kill: ").empty()) << where;
      EXPECT_TRUE(Loaded(L"FormResult")) << where;
      EXPECT_FALSE(fake_.clipboard.text) << where;
      EXPECT_EQ(fake_.files.Exists(L"C:\\saved.txt"), false) << where;
    }
  }
  fake_.windows.onWait = nullptr;
  fake_.messageBoxes.onShow = nullptr;
  Window(L"FormResult").Click(L"CopyToClipboard");
  EXPECT_TRUE(fake_.clipboard.text) << "afterwards the window takes input again";
}

}  // namespace
}  // namespace pravex::testing
