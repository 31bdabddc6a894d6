#include "platform/fs/win32_find.h"

#include <windows.h>

#include "platform/fs/win32_errors.h"

namespace lumaveil::fs {
namespace {

class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

FoundEntry ToEntry(const WIN32_FIND_DATAW& data) {
  return FoundEntry{data.cFileName, data.dwFileAttributes, data.dwReserved0};
}

}  // namespace

std::vector<FoundEntry> FindEntries(const std::wstring& extendedFolder) {
  std::wstring pattern = extendedFolder;
  if (pattern.empty() || pattern.back() != L'\\') pattern += L'\\';
  pattern += L'*';

  std::vector<FoundEntry> entries;
  WIN32_FIND_DATAW data;
  FindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (find.get() == INVALID_HANDLE_VALUE) {
    // A drive root without entries has no "." to find; a folder that is gone says so when asked.
    if (GetLastError() == ERROR_FILE_NOT_FOUND &&
        GetFileAttributesW(extendedFolder.c_str()) != INVALID_FILE_ATTRIBUTES) {
      return entries;
    }
    ThrowLastWin32Error();
  }
  do {
    entries.push_back(ToEntry(data));
  } while (FindNextFileW(find.get(), &data));
  if (GetLastError() != ERROR_NO_MORE_FILES) ThrowLastWin32Error();
  return entries;
}

}  // namespace lumaveil::fs
