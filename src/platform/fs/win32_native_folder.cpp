#include <windows.h>

#include "common/text_encoding.h"
#include "platform/fs/native_folder.h"
#include "platform/fs/win32_directory.h"
#include "platform/fs/win32_drive_path.h"
#include "platform/fs/win32_error_mode.h"

namespace lumaveil::fs {

std::unique_ptr<Directory> OpenNativeFolder(const NativeName& path) {
  NoCriticalErrorDialogs quiet;
  if (!text::IsValidUtf16(path)) {
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
