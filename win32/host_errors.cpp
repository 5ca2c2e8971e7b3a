#include "win32/host_errors.h"

#include "common/errors.h"

namespace pravex::win32 {

int FileErrorNumber(DWORD systemError) {
  switch (systemError) {
    case ERROR_FILE_NOT_FOUND:
      return error::kFileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DIRECTORY:
      return error::kPathNotFound;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return error::kPermissionDenied;
    case ERROR_NOT_READY:
      return error::kDiskNotReady;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return error::kDiskFull;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return error::kOutOfMemory;
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BAD_PATHNAME:
      return error::kBadFileName;
    case ERROR_ACCESS_DENIED:
    default:
      return error::kPathFileAccessError;
  }
}

void RaiseFileError(DWORD systemError) {
  Raise(FileErrorNumber(systemError));
}

void RaiseLastFileError() {
  RaiseFileError(::GetLastError());
}

}  // namespace pravex::win32
