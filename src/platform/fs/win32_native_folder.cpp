#include <windows.h>

#include "platform/fs/native_folder.h"
#include "platform/fs/win32_directory.h"
#include "platform/fs/win32_drive_path.h"
#include "platform/fs/win32_error_mode.h"
#include "platform/fs/win32_utf16.h"

namespace lumaveil::fs {

std::unique_ptr<Directory> OpenNativeFolder(const NativeName& path) {
  NoCriticalErrorDialogs quiet;
  if (!RoundTripsThroughUtf8(path)) {
    SetLastError(ERROR_INVALID_NAME);
    return nullptr;
  }
  const auto resolved = ResolveDrivePath(DisplayText(path));
  if (!resolved) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return nullptr;
  }
  return OpenWin32Directory(resolved->extended);
}

}  // namespace lumaveil::fs
