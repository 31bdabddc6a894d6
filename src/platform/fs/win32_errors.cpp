#include "platform/fs/win32_errors.h"

#include <windows.h>

namespace lumaveil::fs {

RunTimeError ErrorFromWin32(unsigned long code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE:
      return RunTimeError(error::kPathNotFound, "Path not found");
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
    case ERROR_PRIVILEGE_NOT_HELD:
    case ERROR_CANT_ACCESS_FILE:
      return RunTimeError(error::kPermissionDenied, "Permission denied");
    case ERROR_NOT_READY:
    case ERROR_NO_MEDIA_IN_DRIVE:
    case ERROR_UNRECOGNIZED_MEDIA:
    case ERROR_MEDIA_CHANGED:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_NETNAME_DELETED:
      return RunTimeError(error::kDiskNotReady, "Disk not ready");
    default:
      return RunTimeError(error::kPathFileAccess, "Path/File access error");
  }
}

void ThrowLastWin32Error() { throw ErrorFromWin32(GetLastError()); }

}  // namespace lumaveil::fs
