// The small services of the desktop: the clock in the user's formats,
// message boxes, the clipboard and the Save dialog.
#pragma once

#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/save_dialog.h"

namespace pravex::win32 {

class Win32WindowSystem;

class Win32Clock final : public IClock {
 public:
  LocalDateTime Now() override;
  std::wstring ShortDate(const LocalDateTime& moment) override;
  std::wstring LongTime(const LocalDateTime& moment) override;
};

class Win32MessageBoxes final : public IMessageBoxes {
 public:
  explicit Win32MessageBoxes(Win32WindowSystem& windows) : windows_(windows) {}
  int Show(std::wstring_view prompt, int style, std::wstring_view title) override;

 private:
  Win32WindowSystem& windows_;
};

class Win32Clipboard final : public IClipboard {
 public:
  explicit Win32Clipboard(Win32WindowSystem& windows) : windows_(windows) {}
  void SetText(std::wstring_view text) override;

 private:
  Win32WindowSystem& windows_;
};

class Win32SaveDialog final : public ISaveDialog {
 public:
  explicit Win32SaveDialog(Win32WindowSystem& windows) : windows_(windows) {}
  std::optional<std::wstring> ShowSave(std::wstring_view fileName) override;

 private:
  Win32WindowSystem& windows_;
};

}  // namespace pravex::win32
