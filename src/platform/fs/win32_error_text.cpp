// The system's own words for a Win32 error code, without the full stop and line break it ends
// them with.
#include <windows.h>

#include "platform/fs/file_system.h"

namespace lumaveil::fs {

std::string ErrorText(int error) {
  if (error == 0) return "unknown error";
  wchar_t buffer[512] = {};
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     static_cast<DWORD>(error), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                     buffer, sizeof buffer / sizeof buffer[0], nullptr);
  std::wstring text(buffer, length);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' ||
                           text.back() == L'.')) {
    text.pop_back();
  }
  if (text.empty()) return "error " + std::to_string(error);
  return DisplayText(text);
}

int LastErrorNumber() { return static_cast<int>(GetLastError()); }

}  // namespace lumaveil::fs
