#include "tests/fakes/fake_platform.h"

#include <cstdio>
#include <utility>

#include "common/errors.h"

namespace pravex::testing {

std::string ToAnsi(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (wchar_t c : text) bytes.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
  return bytes;
}

std::wstring FromAnsi(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (char c : bytes) text.push_back(static_cast<unsigned char>(c));
  return text;
}

// --- settings ---------------------------------------------------------------

std::wstring FakeSettings::GetSetting(std::wstring_view app, std::wstring_view section,
                                      std::wstring_view key, std::wstring_view defaultValue) {
  if (app != L"QuorvelPravex" || section != L"Info") throw std::logic_error("unexpected section");
  const auto found = values.find(std::wstring(key));
  return found == values.end() ? std::wstring(defaultValue) : found->second;
}

void FakeSettings::SaveSetting(std::wstring_view app, std::wstring_view section,
                               std::wstring_view key, std::wstring_view value) {
  if (app != L"QuorvelPravex" || section != L"Info") throw std::logic_error("unexpected section");
  if (failSaveWith) Raise(*failSaveWith);
  values[std::wstring(key)] = value;
  log_.push_back(L"save: " + std::wstring(key) + L"=" + std::wstring(value));
}

// --- files ------------------------------------------------------------------

namespace {

std::wstring FolderOf(std::wstring_view path) {
  const auto slash = path.rfind(L'\\');
  return std::wstring(path.substr(0, slash == std::wstring_view::npos ? 0 : slash + 1));
}

}  // namespace

void FakeFileSystem::WriteText(std::wstring_view path, OpenMode mode, std::wstring_view text) {
  const std::wstring key(path);
  if (const auto failure = failures.find(key); failure != failures.end()) Raise(failure->second);
  if (!folders.contains(FolderOf(path))) Raise(error::kPathNotFound);
  std::string& bytes = files[key];
  if (mode != OpenMode::kAppend) bytes.clear();
  bytes += ToAnsi(text);
  log_.push_back((mode == OpenMode::kOutput   ? L"write: "
                  : mode == OpenMode::kAppend ? L"append: "
                                              : L"private: ") +
                 key);
}

void FakeFileSystem::Kill(std::wstring_view path) {
  const std::wstring key(path);
  if (const auto failure = failures.find(key); failure != failures.end()) Raise(failure->second);
  if (files.erase(key) == 0) Raise(error::kFileNotFound);
  log_.push_back(L"kill: " + key);
}

SaveTarget FakeFileSystem::InspectSaveTarget(std::wstring_view path) {
  const std::wstring key(path);
  const auto kind = targets.find(key);
  SaveTarget target = kind == targets.end() ? SaveTarget{} : kind->second;
  target.exists = files.contains(key);
  return target;
}

void FakeFileSystem::FailStep(const wchar_t* step) const {
  if (const auto failure = failingSteps.find(step); failure != failingSteps.end()) {
    Raise(failure->second);
  }
}

class FakeSaveFile final : public ISaveFile {
 public:
  FakeSaveFile(FakeFileSystem& files, std::wstring path, bool created)
      : files_(files), path_(std::move(path)), created_(created) {
    files_.log_.push_back((created ? L"create: " : L"open: ") + path_);
  }
  const std::wstring& Path() const override { return path_; }
  bool Created() const override { return created_; }
  std::uint64_t Size() override { return Bytes().size(); }
  void WriteAt(std::uint64_t offset, std::string_view bytes) override {
    const bool fails = files_.failingSteps.contains(L"write");
    if (fails) bytes = bytes.substr(0, bytes.size() / 2);
    std::string& file = Bytes();
    if (file.size() < offset + bytes.size()) file.resize(offset + bytes.size());
    file.replace(offset, bytes.size(), bytes);
    files_.log_.push_back(L"write: " + path_ + L" at " + std::to_wstring(offset));
    if (fails) files_.FailStep(L"write");
  }
  void EndAt(std::uint64_t length) override {
    files_.FailStep(L"end");
    Bytes().resize(length);
    files_.log_.push_back(L"end: " + path_ + L" at " + std::to_wstring(length));
  }
  void Flush() override { files_.FailStep(L"flush"); }
  void Discard() override {
    if (!created_) throw std::logic_error("only a file the save made is discarded");
    files_.FailStep(L"discard");
    files_.files.erase(path_);
    files_.log_.push_back(L"discard: " + path_);
  }

 private:
  std::string& Bytes() { return files_.files.at(path_); }

  FakeFileSystem& files_;
  std::wstring path_;
  bool created_;
};

std::unique_ptr<ISaveFile> FakeFileSystem::OpenToWrite(std::wstring_view path) {
  const std::wstring key(path);
  if (const auto failure = failures.find(key); failure != failures.end()) Raise(failure->second);
  if (!folders.contains(FolderOf(path))) Raise(error::kPathNotFound);
  const bool created = files.try_emplace(key).second;
  return std::make_unique<FakeSaveFile>(*this, key, created);
}

std::unique_ptr<ISaveFile> FakeFileSystem::CreateBeside(std::wstring_view path) {
  if (!foldersTakeNewFiles) return nullptr;
  wchar_t name[16];
  std::swprintf(name, std::size(name), L"pvx%04X.tmp", nextTemporary++);
  const std::wstring temporary = FolderOf(path) + name;
  files[temporary];
  return std::make_unique<FakeSaveFile>(*this, temporary, true);
}

bool FakeFileSystem::Replace(std::wstring_view path, std::wstring_view replacement) {
  const std::wstring key(path);
  const std::wstring from(replacement);
  log_.push_back(L"replace: " + key + L" with " + from);
  if (swap == Swap::kChangesNothing) return false;
  files.erase(key);
  if (swap == Swap::kRemovesTheOldFile) return false;
  files[key] = std::move(files.at(from));
  files.erase(from);
  return true;
}

void FakeFileSystem::Rename(std::wstring_view from, std::wstring_view to) {
  FailStep(L"rename");
  const std::wstring key(to);
  if (files.contains(key)) Raise(error::kPathFileAccessError);
  files[key] = std::move(files.at(std::wstring(from)));
  files.erase(std::wstring(from));
  log_.push_back(L"rename: " + std::wstring(from) + L" to " + key);
}

std::string FakeFileSystem::Bytes(const std::wstring& path) const {
  const auto found = files.find(path);
  if (found == files.end()) throw std::logic_error("no such file");
  return found->second;
}

std::wstring FakeTextStream::ReadAll() {
  if (const auto failure = files_.failures.find(path_); failure != files_.failures.end()) {
    Raise(failure->second);
  }
  log_.push_back(L"stream: read");
  return FromAnsi(files_.Bytes(path_));
}

void FakeTextStream::Close() {
  log_.push_back(L"stream: close");
}

bool FakeFso::FileExists(std::wstring_view path) {
  return files_.Exists(std::wstring(path));
}

std::unique_ptr<ITextStream> FakeFso::OpenTextFile(std::wstring_view path) {
  if (!files_.Exists(std::wstring(path))) Raise(error::kFileNotFound);
  return std::make_unique<FakeTextStream>(log_, files_, std::wstring(path));
}

// --- shell ------------------------------------------------------------------

int FakeShell::Run(std::wstring_view commandLine, int windowStyle, bool wait,
                   const WaitCheck& check) {
  log_.push_back(L"run: " + std::wstring(commandLine) + L" [style " + std::to_wstring(windowStyle) +
                 (wait ? L", wait]" : L"]"));
  if (factory_.onRun) factory_.onRun(std::wstring(commandLine));
  if (wait && check.every.count() > 0 && check.keepWaiting) {
    for (auto waited = check.every; waited < factory_.runsFor; waited += check.every) {
      if (!check.keepWaiting(waited)) {
        log_.push_back(L"stop: " + std::wstring(commandLine));
        break;
      }
    }
  }
  return 0;
}

std::optional<std::wstring> FakeShell::Environment(std::wstring_view name) {
  const auto found = factory_.environment.find(std::wstring(name));
  if (found == factory_.environment.end()) return std::nullopt;
  return found->second;
}

std::unique_ptr<IShellObject> FakeObjectFactory::CreateShell() {
  if (failCreateWith) Raise(*failCreateWith);
  log_.push_back(L"create: shell");
  return std::make_unique<FakeShell>(log_, *this);
}

std::unique_ptr<IFileSystemObject> FakeObjectFactory::CreateFileSystemObject() {
  if (failCreateWith) Raise(*failCreateWith);
  log_.push_back(L"create: fso");
  return std::make_unique<FakeFso>(log_, files_);
}

// --- clock ------------------------------------------------------------------

namespace {

std::wstring TwoDigits(int value) {
  return (value < 10 ? L"0" : L"") + std::to_wstring(value);
}

}  // namespace

std::wstring FakeClock::ShortDate(const LocalDateTime& m) {
  if (european)
    return TwoDigits(m.day) + L"." + TwoDigits(m.month) + L"." + std::to_wstring(m.year);
  return std::to_wstring(m.month) + L"/" + std::to_wstring(m.day) + L"/" + std::to_wstring(m.year);
}

std::wstring FakeClock::LongTime(const LocalDateTime& m) {
  if (european) {
    return TwoDigits(m.hour) + L":" + TwoDigits(m.minute) + L":" + TwoDigits(m.second);
  }
  const int hour12 = m.hour % 12 == 0 ? 12 : m.hour % 12;
  return std::to_wstring(hour12) + L":" + TwoDigits(m.minute) + L":" + TwoDigits(m.second) +
         (m.hour < 12 ? L" AM" : L" PM");
}

// --- message boxes, clipboard, dialog, pointer --------------------------------

int FakeMessageBoxes::Show(std::wstring_view prompt, int style, std::wstring_view title) {
  shown.push_back({std::wstring(prompt), style, std::wstring(title)});
  log_.push_back(L"msgbox: " + std::wstring(prompt));
  if (onShow) onShow(shown.back());
  return std::exchange(nextAnswer, mb::kAnswerOk);
}

void FakeClipboard::SetText(std::wstring_view value) {
  if (failWith) Raise(*failWith);
  text = value;
}

std::optional<std::wstring> FakeSaveDialog::ShowSave(std::wstring_view fileName) {
  offeredNames.emplace_back(fileName);
  if (answers.empty()) return std::nullopt;
  auto answer = answers.front();
  answers.pop_front();
  return answer;
}

void FakeMousePointer::SetMousePointer(int value) {
  current = value;
  log_.push_back(L"pointer: " + std::to_wstring(value));
}

// --- internet ---------------------------------------------------------------

InternetHandle FakeInternet::InternetOpenA(std::wstring_view agent, unsigned long accessType,
                                           const wchar_t* proxy, const wchar_t* proxyBypass,
                                           unsigned long flags) {
  calls.push_back(L"InternetOpenA(" + std::wstring(agent) + L", " + std::to_wstring(accessType) +
                  L", " + (proxy ? proxy : L"null") + L", " +
                  (proxyBypass ? proxyBypass : L"null") + L", " + std::to_wstring(flags) + L")");
  log_.push_back(L"inet: open");
  if (failOpenWith) Raise(*failOpenWith);
  if (!openSucceeds) return 0;
  openHandles.insert(next_);
  return next_++;
}

InternetHandle FakeInternet::InternetConnectA(InternetHandle internet, std::wstring_view serverName,
                                              unsigned short port, std::wstring_view userName,
                                              std::wstring_view password, unsigned long service,
                                              unsigned long flags, std::uintptr_t context) {
  calls.push_back(L"InternetConnectA(" + std::to_wstring(internet) + L", " +
                  std::wstring(serverName) + L", " + std::to_wstring(port) + L", " +
                  std::wstring(userName) + L", \"" + std::wstring(password) + L"\", " +
                  std::to_wstring(service) + L", " + std::to_wstring(flags) + L", " +
                  std::to_wstring(context) + L")");
  log_.push_back(L"inet: connect");
  if (internet == 0 || !connectSucceeds) return 0;
  openHandles.insert(next_);
  return next_++;
}

bool FakeInternet::FtpPutFileA(InternetHandle connection, std::wstring_view localFile,
                               std::wstring_view remoteFile, unsigned long flags,
                               std::uintptr_t context) {
  calls.push_back(L"FtpPutFileA(" + std::to_wstring(connection) + L", " + std::wstring(localFile) +
                  L", " + std::wstring(remoteFile) + L", " + std::to_wstring(flags) + L", " +
                  std::to_wstring(context) + L")");
  log_.push_back(L"inet: put");
  if (putResults.empty()) return false;
  const bool result = putResults.front();
  putResults.pop_front();
  return result;
}

bool FakeInternet::InternetCloseHandle(InternetHandle handle) {
  log_.push_back(L"inet: close");
  return openHandles.erase(handle) == 1;
}

// --- the whole platform -------------------------------------------------------

FakePlatform::FakePlatform()
    : platform{settings,  files,      objects,      clock,    messageBoxes,
               clipboard, saveDialog, mousePointer, internet, windows} {}

std::vector<std::wstring> FakePlatform::TraceLines() const {
  std::vector<std::wstring> lines;
  const auto found = files.files.find(L"C:\\QuorvelPravexTrace.txt");
  if (found == files.files.end()) return lines;
  const std::wstring text = FromAnsi(found->second);
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) throw std::logic_error("trace line without CR LF");
    const std::wstring record = text.substr(start, end - start);
    if (record.size() < 2 || record.front() != L'"' || record.back() != L'"') {
      throw std::logic_error("trace line without its quotes");
    }
    lines.push_back(record.substr(1, record.size() - 2));
    start = end + 2;
  }
  return lines;
}

std::vector<std::wstring> FakePlatform::Entries(std::wstring_view prefix) const {
  std::vector<std::wstring> entries;
  for (const auto& entry : log) {
    if (entry.starts_with(prefix)) entries.push_back(entry);
  }
  return entries;
}

}  // namespace pravex::testing
