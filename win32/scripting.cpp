#include "win32/scripting.h"

#include <windows.h>

#include <string>
#include <vector>

#include "common/errors.h"
#include "win32/handles.h"
#include "win32/host_errors.h"
#include "win32/shell.h"
#include "win32/text_codec.h"
#include "win32/window_system.h"

namespace pravex::win32 {

std::wstring ExpandEnvironment(std::wstring_view text) {
  const std::wstring source(text);
  std::wstring expanded(source.size() + 256, L'\0');
  for (;;) {
    const DWORD needed = ::ExpandEnvironmentStringsW(source.c_str(), expanded.data(),
                                                     static_cast<DWORD>(expanded.size()));
    if (needed == 0) RaiseLastFileError();
    if (needed <= expanded.size()) {
      expanded.resize(needed - 1);
      return expanded;
    }
    expanded.resize(needed);
  }
}

namespace {

class TextStream final : public ITextStream {
 public:
  static constexpr std::size_t kPieceSize = 1u << 20;
  static constexpr std::size_t kHeadroom = 1u << 16;

  explicit TextStream(UniqueFile file) : file_(std::move(file)) {}

  std::wstring ReadAll() override {
    if (!file_) Raise(error::kBadFileName);
    std::wstring text;
    AnsiStreamDecoder decoder;
    LARGE_INTEGER size{};
    if (decoder.OneCharacterPerByte() && ::GetFileSizeEx(file_.get(), &size) && size.QuadPart > 0) {
      // The text's exact length, and room for the guidance that a result
      // window puts in front: the report is never copied on its way to the
      // window. Where a character may take two bytes, the size would ask for
      // up to twice what the text needs, and the text grows as it is read.
      text.reserve(static_cast<std::size_t>(size.QuadPart) + kHeadroom);
    }
    // Read to the end, whatever the size said: the file may still grow.
    std::vector<char> buffer(kPieceSize);
    for (;;) {
      DWORD read = 0;
      if (!::ReadFile(file_.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read,
                      nullptr)) {
        RaiseLastFileError();
      }
      if (read == 0) break;
      decoder.Decode(std::string_view(buffer.data(), read), text);
    }
    decoder.Finish(text);
    return text;
  }

  void Close() override { file_.reset(); }

 private:
  UniqueFile file_;
};

class FileSystemObject final : public IFileSystemObject {
 public:
  bool FileExists(std::wstring_view path) override {
    const DWORD attributes = ::GetFileAttributesW(std::wstring(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  std::unique_ptr<ITextStream> OpenTextFile(std::wstring_view path) override {
    UniqueFile file(::CreateFileW(std::wstring(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) RaiseLastFileError();
    return std::make_unique<TextStream>(std::move(file));
  }
};

}  // namespace

std::unique_ptr<IShellObject> Win32ObjectFactory::CreateShell() {
  return std::make_unique<Win32Shell>(windows_);
}

std::unique_ptr<IFileSystemObject> Win32ObjectFactory::CreateFileSystemObject() {
  return std::make_unique<FileSystemObject>();
}

}  // namespace pravex::win32
