#include "platform/fs/win32_utf16.h"

#include <windows.h>

#include "platform/fs/file_system.h"

namespace lumaveil::fs {

std::optional<std::wstring> ToUtf16(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int size = static_cast<int>(utf8.size());
  const int needed =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (needed <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(),
                          needed) != needed) {
    return std::nullopt;
  }
  return wide;
}

bool RoundTripsThroughUtf8(const std::wstring& name) {
  const auto back = ToUtf16(DisplayText(name));
  return back && *back == name;
}

}  // namespace lumaveil::fs
