#include "win32/private_file.h"

#include <windows.h>
#include <sddl.h>

#include <vector>

#include "common/private_access.h"
#include "win32/host_errors.h"

namespace pravex::win32 {

namespace {

std::wstring CurrentUserSid() {
  HANDLE raw = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw)) RaiseLastFileError();
  const UniqueHandleObject token(raw);
  DWORD size = 0;
  ::GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  // Allocated with new[]: aligned for the pointer the structure holds.
  std::vector<std::byte> buffer(size);
  if (size == 0 || !::GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) {
    RaiseLastFileError();
  }
  wchar_t* text = nullptr;
  if (!::ConvertSidToStringSidW(reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid,
                                &text)) {
    RaiseLastFileError();
  }
  const UniqueLocal owned(text);
  return std::wstring(text);
}

}  // namespace

UniqueFile CreatePrivateFile(const std::wstring& path) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(
          PrivateFileDescriptor(CurrentUserSid()).c_str(), SDDL_REVISION_1, &descriptor, nullptr)) {
    RaiseLastFileError();
  }
  const UniqueLocal ownedDescriptor(descriptor);
  SECURITY_ATTRIBUTES security{sizeof(security), descriptor, FALSE};

  if (!::DeleteFileW(path.c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND) {
    RaiseLastFileError();
  }
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &security, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) RaiseLastFileError();
  return file;
}

}  // namespace pravex::win32
