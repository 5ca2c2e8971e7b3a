#include "win32/desktop_services.h"

#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "common/errors.h"
#include "win32/clipboard_text.h"
#include "win32/handles.h"
#include "win32/system_library.h"
#include "win32/window_system.h"

namespace pravex::win32 {

// --- clock ------------------------------------------------------------------

namespace {

SYSTEMTIME ToSystemTime(const LocalDateTime& m) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(m.year);
  st.wMonth = static_cast<WORD>(m.month);
  st.wDay = static_cast<WORD>(m.day);
  st.wHour = static_cast<WORD>(m.hour);
  st.wMinute = static_cast<WORD>(m.minute);
  st.wSecond = static_cast<WORD>(m.second);
  return st;
}

template <class Format>
std::wstring FormatWith(Format format) {
  const int needed = format(nullptr, 0);
  if (needed <= 0) Raise(error::kInvalidProcedureCall);
  std::wstring text(static_cast<std::size_t>(needed), L'\0');
  const int written = format(text.data(), needed);
  if (written <= 0) Raise(error::kInvalidProcedureCall);
  text.resize(static_cast<std::size_t>(written - 1));
  return text;
}

}  // namespace

LocalDateTime Win32Clock::Now() {
  SYSTEMTIME st{};
  ::GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::wstring Win32Clock::ShortDate(const LocalDateTime& moment) {
  const SYSTEMTIME st = ToSystemTime(moment);
  return FormatWith([&](wchar_t* buffer, int size) {
    return ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, size,
                             nullptr);
  });
}

std::wstring Win32Clock::LongTime(const LocalDateTime& moment) {
  const SYSTEMTIME st = ToSystemTime(moment);
  return FormatWith([&](wchar_t* buffer, int size) {
    return ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, buffer, size);
  });
}

// --- message boxes ------------------------------------------------------------

int Win32MessageBoxes::Show(std::wstring_view prompt, int style, std::wstring_view title) {
  const HWND owner = windows_.PopupOwner();
  Win32WindowSystem::DisabledWindows modal(windows_, owner);
  const UINT flags =
      static_cast<UINT>(style) | (owner ? MB_APPLMODAL : MB_TASKMODAL) | MB_SETFOREGROUND;
  return ::MessageBoxW(owner, std::wstring(prompt).c_str(), std::wstring(title).c_str(), flags);
}

// --- clipboard ----------------------------------------------------------------

namespace {

void RaiseFor(ClipboardOutcome outcome) {
  if (outcome == ClipboardOutcome::kOutOfMemory) Raise(error::kOutOfMemory);
  if (outcome == ClipboardOutcome::kBusy) Raise(error::kPermissionDenied);
}

}  // namespace

void Win32Clipboard::SetText(std::wstring_view text) {
  RaiseFor(PutClipboardText(windows_.AnyWindow(), text));
}

// --- Save dialog --------------------------------------------------------------

namespace {

// The common dialogs are loaded when first needed: linked at start they
// would pull in the shell's libraries and slow every start-up.
class CommonDialogLibrary {
 public:
  static const CommonDialogLibrary& Get() {
    static const CommonDialogLibrary library;
    return library;
  }

  decltype(::GetSaveFileNameW)* getSaveFileName = nullptr;
  decltype(::CommDlgExtendedError)* extendedError = nullptr;

 private:
  CommonDialogLibrary() : module_(LoadSystemLibrary(L"comdlg32.dll")) {
    getSaveFileName = BindAs<decltype(::GetSaveFileNameW)>(module_.get(), "GetSaveFileNameW");
    extendedError = BindAs<decltype(::CommDlgExtendedError)>(module_.get(), "CommDlgExtendedError");
  }

  UniqueModule module_;
};

}  // namespace

std::optional<std::wstring> Win32SaveDialog::ShowSave(std::wstring_view fileName) {
  const CommonDialogLibrary& library = CommonDialogLibrary::Get();
  if (!library.getSaveFileName || !library.extendedError) {
    throw HostError(error::kErrorLoadingDll, L"Error in loading DLL comdlg32.dll");
  }
  std::vector<wchar_t> path(32768, L'\0');
  fileName.copy(path.data(), std::min(fileName.size(), path.size() - 1));

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = windows_.PopupOwner();
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = static_cast<DWORD>(path.size());
  // No filter, extension, folder, title or prompt; only keep the program's
  // working folder where it was.
  ofn.Flags = OFN_NOCHANGEDIR;

  Win32WindowSystem::DisabledWindows modal(windows_, ofn.hwndOwner);
  if (library.getSaveFileName(&ofn)) return std::wstring(path.data());
  if (library.extendedError() != 0) Raise(error::kInvalidProcedureCall);
  return std::nullopt;
}

}  // namespace pravex::win32
