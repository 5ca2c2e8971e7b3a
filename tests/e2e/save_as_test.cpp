// Save as...: the common Save dialog offers one name; the text box and a
// line break are written in the ANSI code page, over an existing file
// without asking; Cancel writes nothing; a save that fails says so, and
// where the text is, and leaves what was there, also on a full disk.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/diagnosis_fixture.h"
#include "tests/e2e/driver/ansi_text.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/options.h"
#include "tests/e2e/driver/save_dialog.h"
#include "tests/e2e/driver/scratch_folder.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_input.h"
#include "win32/handles.h"

namespace pravex::e2e {
namespace {

constexpr std::wstring_view kOfferedName = L"Quorvel_Pravex_Result.txt";

class SaveAsTest : public DiagnosisTest {
 protected:
  void SetUp() override {
    DiagnosisTest::SetUp();
    folder_.emplace(L"C:\\pravex_e2e_saves");
  }
  void TearDown() override {
    DiagnosisTest::TearDown();  // the program lets go of the folder first
    folder_.reset();
  }

  // Presses Save as... and returns the dialog after checking the name it offers.
  HWND OpenSaveDialog(const ResultWindow& window) {
    PressButton(window.Control(L"Save"));
    const HWND dialog = WaitForSaveDialog(Pid(), kShowLimit);
    EXPECT_EQ(SaveDialogFileName(dialog), kOfferedName);
    return dialog;
  }
  void SaveTo(const ResultWindow& window, const std::wstring& path) {
    SaveAs(OpenSaveDialog(window), path, kCloseLimit);
    Settle(window);
  }
  // The files in the scratch folder, sorted: a save must leave no
  // temporary file behind.
  std::vector<std::wstring> FolderContents() const {
    std::vector<std::wstring> files = FilesMatching(folder_->Path(), L"*");
    std::sort(files.begin(), files.end());
    return files;
  }
  const ScratchFolder& Folder() const { return *folder_; }

 private:
  std::optional<ScratchFolder> folder_;
};

TEST_F(SaveAsTest, WritesTheTextBoxAndALineBreakAsAnsiReplacingAnExistingFile) {
  struct Row {
    const wchar_t* file;
    const char* before;   // null: no such file yet
    const wchar_t* text;  // null: the text as shown
  };
  const Row rows[] = {
      {L"first.txt", nullptr, nullptr},
      {L"old.txt", "an older and much longer file that the save must replace entirely\r\n",
       L"caf\u00e9 line\r\nsecond"},
      {L"noext", nullptr, L"one line"},
  };
  const ResultWindow window = OpenResultWindow(L"expired", Product::kVastrel, ResultKind::kIssueA);
  std::vector<std::wstring> expectedFiles;
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const std::wstring path = Folder() / rows[row].file;
    if (rows[row].before) WriteFileBytes(path, rows[row].before);
    if (rows[row].text) ReplaceText(window.Control(L"Text1"), rows[row].text);
    const std::wstring text = window.Text();

    SaveTo(window, path);
    EXPECT_EQ(ReadFileBytes(path), WideToAnsi(text + L"\r\n")) << "row " << row;
    EXPECT_TRUE(FindMessageBoxes(Pid()).empty()) << "row " << row;
    expectedFiles.push_back(path);
    std::sort(expectedFiles.begin(), expectedFiles.end());
    EXPECT_EQ(FolderContents(), expectedFiles) << "row " << row;
  }
  EXPECT_EQ(FormWindows(window.Def()), std::vector<HWND>{window.handle});
}

TEST_F(SaveAsTest, AnExistingFileKeepsWhatItWasBesideItsText) {
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kZpx, ResultKind::kResult);
  const std::wstring text = L"the new text";
  ReplaceText(window.Control(L"Text1"), text);
  const std::string saved = WideToAnsi(text + L"\r\n");
  const std::string old = "an older and longer text, which must be gone entirely\r\n";
  // Deep enough that a temporary name beside the file would pass MAX_PATH.
  std::wstring deep = Folder().Path();
  while (deep.size() < MAX_PATH - 14) {
    deep += L"\\" + std::wstring(std::min<std::size_t>(40, MAX_PATH - 14 - deep.size()), L'd');
    ::CreateDirectoryW(deep.c_str(), nullptr);
  }
  enum class Kind { kAttributes, kHardLink, kHeldOpen, kDeepFolder };
  struct Row {
    Kind kind;
    std::wstring path;
  };
  const Row rows[] = {{Kind::kAttributes, Folder() / L"hidden.txt"},
                      {Kind::kHardLink, Folder() / L"linked.txt"},
                      {Kind::kHeldOpen, Folder() / L"held.txt"},
                      {Kind::kDeepFolder, deep + L"\\a.txt"}};
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const std::wstring& path = rows[row].path;
    const std::wstring other = path + L".other";  // the second name
    win32::UniqueFile held;
    switch (rows[row].kind) {
      case Kind::kAttributes:
        WriteFileBytes(path, old);
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
        break;
      case Kind::kHardLink:
        WriteFileBytes(path, old);
        ASSERT_TRUE(::CreateHardLinkW(other.c_str(), path.c_str(), nullptr)) << "row " << row;
        break;
      case Kind::kHeldOpen:
        WriteFileBytes(path, old);
        held.reset(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held) << "row " << row;
        break;
      case Kind::kDeepFolder:
        WriteFileBytes(path, old);
        break;
    }
    const DWORD attributes = ::GetFileAttributesW(path.c_str());

    SaveTo(window, path);
    EXPECT_TRUE(FindMessageBoxes(Pid()).empty()) << "row " << row;
    EXPECT_EQ(ReadFileBytes(path), saved) << "row " << row;
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), attributes) << "row " << row;
    if (rows[row].kind == Kind::kHardLink) {
      EXPECT_EQ(ReadFileBytes(other), saved) << "row " << row << ": written through the other name";
    }
  }
  EXPECT_EQ(FilesMatching(deep, L"*"), std::vector<std::wstring>{deep + L"\\a.txt"})
      << "no temporary file is left";
}

// Wine 8 makes a symbolic link that reads as nothing: there this test skips.
TEST_F(SaveAsTest, ASymbolicLinkIsWrittenThroughToItsTarget) {
  const std::wstring link = Folder() / L"symlink.txt";
  const std::wstring target = link + L".other";
  const std::string old = "an older and longer text, which must be gone entirely\r\n";
  WriteFileBytes(target, old);
  if (!::CreateSymbolicLinkW(link.c_str(), target.c_str(), 0) || ReadFileBytes(link) != old) {
    GTEST_SKIP() << "this system has no working symbolic links";
  }
  const DWORD attributes = ::GetFileAttributesW(link.c_str());
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kZpx, ResultKind::kResult);
  ReplaceText(window.Control(L"Text1"), L"the new text");
  SaveTo(window, link);
  EXPECT_TRUE(FindMessageBoxes(Pid()).empty());
  EXPECT_EQ(ReadFileBytes(target), "the new text\r\n");
  EXPECT_EQ(::GetFileAttributesW(link.c_str()), attributes) << "still the link";
}

TEST_F(SaveAsTest, CancelWritesNothingAndShowsNothing) {
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kZpx, ResultKind::kResult);
  const std::string report = ReportBytes();
  CancelSaveDialog(OpenSaveDialog(window), kCloseLimit);
  Settle(window);
  EXPECT_TRUE(FindMessageBoxes(Pid()).empty());
  EXPECT_TRUE(FolderContents().empty());
  // The dialog opens in the program's working folder, which it inherits.
  wchar_t workingFolder[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, workingFolder);
  EXPECT_FALSE(FileExists(std::wstring(workingFolder) + L"\\" + std::wstring(kOfferedName)));
  EXPECT_EQ(ReportBytes(), report);
  EXPECT_EQ(FormWindows(window.Def()), std::vector<HWND>{window.handle});
}

TEST_F(SaveAsTest, AFailedSaveSaysWhyAndLeavesWhatWasThere) {
  struct Row {
    const wchar_t* file;
    bool readOnlyFile;
    const wchar_t* failure;
  };
  const Row rows[] = {
      {L"missing\\out.txt", false, L"76: Path not found"},
      {L"locked.txt", true, L"75: Path/File access error"},
  };
  const ResultWindow window = OpenResultWindow(L"stopped", Product::kVastrel, ResultKind::kIssueD);
  const std::string kept = "a file that must stay as it was\r\n";
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const std::wstring path = Folder() / rows[row].file;
    if (rows[row].readOnlyFile) {
      WriteFileBytes(path, kept);
      SetReadOnly(path, true);
    }
    const std::vector<std::wstring> before = FolderContents();

    SaveAs(OpenSaveDialog(window), path, kCloseLimit);
    const ShownBox box = WaitForBox();
    EXPECT_EQ(box.view.text, L"Error in FormIssueD.Save_Click: " + std::wstring(rows[row].failure) +
                                 L"\r\nThe text was not saved to " + path +
                                 L"; it is still in this window.")
        << "row " << row;
    EXPECT_EQ(box.view.title, L"Pravex") << "row " << row;
    EXPECT_EQ(box.icon, BoxIcon::kNone) << "row " << row;
    PressOk(box.view);
    Settle(window);

    EXPECT_EQ(FolderContents(), before) << "row " << row;
    if (rows[row].readOnlyFile) {
      EXPECT_EQ(ReadFileBytes(path), kept) << "row " << row;
    } else {
      EXPECT_FALSE(FileExists(path)) << "row " << row;
    }
    EXPECT_EQ(FormWindows(window.Def()), std::vector<HWND>{window.handle}) << "row " << row;
  }
}

// On a disk with less room than the text, a new file, a replaced one and one
// written over in place (a hard link, shorter than the text) all end as
// they were: the room is taken before any old byte changes.
TEST_F(SaveAsTest, AFullDiskLeavesEveryFileAsItWas) {
  if (SmallDiskFolder().empty()) GTEST_SKIP() << "no small file system to fill (mounted as root)";
  const ScratchFolder disk(SmallDiskFolder() + L"\\saves");
  const std::string old = "an older text\r\n";
  const std::wstring rows[] = {disk / L"new.txt", disk / L"plain.txt", disk / L"linked.txt"};
  WriteFileBytes(rows[1], old);
  WriteFileBytes(rows[2], old);
  ASSERT_TRUE(::CreateHardLinkW((rows[2] + L".other").c_str(), rows[2].c_str(), nullptr));
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kZpx, ResultKind::kResult);
  ReplaceText(window.Control(L"Text1"), std::wstring(64 * 1024, L'x'));
  ULARGE_INTEGER room{};
  ASSERT_TRUE(::GetDiskFreeSpaceExW(disk.Path().c_str(), &room, nullptr, nullptr));
  ASSERT_GT(room.QuadPart, 16 * 1024u);
  WriteFileBytes(disk / L"filler", std::string(room.QuadPart - 16 * 1024, '\0'));
  std::vector<std::wstring> files = FilesMatching(disk.Path(), L"*");
  std::sort(files.begin(), files.end());

  for (const std::wstring& path : rows) {
    SaveAs(OpenSaveDialog(window), path, kCloseLimit);
    const ShownBox box = WaitForBox();
    EXPECT_EQ(box.view.text,
              L"Error in FormResult.Save_Click: 61: Disk full\r\nThe text was not "
              L"saved to " +
                  path + L"; it is still in this window.")
        << Utf8(path);
    PressOk(box.view);
    Settle(window);
    std::vector<std::wstring> after = FilesMatching(disk.Path(), L"*");
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, files) << Utf8(path) << ": no file made by the save is left";
    if (path != rows[0]) {
      EXPECT_EQ(ReadFileBytes(path), old) << Utf8(path);
    }
  }
  EXPECT_EQ(ReadFileBytes(rows[2] + L".other"), old);
}

}  // namespace
}  // namespace pravex::e2e
