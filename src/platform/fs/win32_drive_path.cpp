#include "platform/fs/win32_drive_path.h"

#include <windows.h>

#include "common/text_encoding.h"


namespace lumaveil::fs {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

bool IsDriveAbsolute(const std::wstring& p) {
  return p.size() >= 2 && IsLetter(p[0]) && p[1] == L':' && (p.size() == 2 || IsSeparator(p[2]));
}

// "\\server\share...": two separators, then a server name. "\\?\" and "\\.\" are device paths,
// which the drive-form world has no name for.
bool IsUnc(const std::wstring& p) {
  return p.size() > 2 && IsSeparator(p[0]) && IsSeparator(p[1]) && !IsSeparator(p[2]) &&
         !((p[2] == L'?' || p[2] == L'.') && (p.size() == 3 || IsSeparator(p[3])));
}

std::optional<std::wstring> FullPathName(const std::wstring& path) {
  std::wstring buffer(path.size() + MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()),
                                     buffer.data(), nullptr);
    if (n == 0) return std::nullopt;
    if (n < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(n);
  }
}

}  // namespace

std::optional<ResolvedPath> ResolveDrivePath(const std::string& utf8) {
  auto wide = text::Utf8ToUtf16(utf8);
  if (!wide || wide->find(L'\0') != std::wstring::npos) return std::nullopt;
  const bool unc = IsUnc(*wide);
  if (!unc && !IsDriveAbsolute(*wide)) return std::nullopt;
  if (wide->size() == 2) *wide += L'\\';

  auto full = FullPathName(*wide);
  if (!full) return std::nullopt;
  // A drive root keeps its separator ("C:\"); every other folder is named without one.
  const std::size_t keep = unc ? 2 : 3;
  while (full->size() > keep && full->back() == L'\\') full->pop_back();
  if (unc ? !IsUnc(*full) : !IsDriveAbsolute(*full)) return std::nullopt;

  ResolvedPath resolved;
  resolved.display = *full;
  resolved.extended = unc ? L"\\\\?\\UNC\\" + full->substr(2) : L"\\\\?\\" + *full;
  return resolved;
}

std::wstring LastComponent(const std::wstring& display) {
  if (display.size() == 3 && display[1] == L':') return std::wstring();
  const std::size_t slash = display.find_last_of(L'\\');
  return slash == std::wstring::npos ? display : display.substr(slash + 1);
}

bool IsReachableByDrivePath(const std::wstring& name) {
  return !name.empty() && name.back() != L'.' && name.back() != L' ' &&
         text::IsValidUtf16(name);
}

std::wstring JoinPath(const std::wstring& display, const std::wstring& name) {
  if (!display.empty() && display.back() == L'\\') return display + name;
  return display + L'\\' + name;
}

}  // namespace lumaveil::fs
