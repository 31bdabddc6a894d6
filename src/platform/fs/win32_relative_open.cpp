#include "platform/fs/win32_relative_open.h"

#include <winternl.h>

#include <limits>

#include "platform/fs/win32_error_mode.h"

namespace lumaveil::fs {
namespace {

using NtOpenFileFunction = NTSTATUS(NTAPI*)(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES,
                                            PIO_STATUS_BLOCK, ULONG, ULONG);

using StatusToErrorFunction = ULONG(NTAPI*)(NTSTATUS);

// ntdll is mapped into every process; taking the entry points from it spares every build an
// import library that not all toolchains ship.
template <typename Function>
Function NtdllEntry(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

NtOpenFileFunction NtOpenFileEntry() {
  static const auto entry = NtdllEntry<NtOpenFileFunction>("NtOpenFile");
  return entry;
}

// The failure as a Win32 error code, where GetLastError() will find it.
void SetLastErrorFromStatus(NTSTATUS status) {
  static const auto toError = NtdllEntry<StatusToErrorFunction>("RtlNtStatusToDosError");
  SetLastError(toError ? toError(status) : ERROR_GEN_FAILURE);
}

}  // namespace

bool IsPlainName(const std::wstring& name) {
  if (name.empty() || name == L"." || name == L"..") return false;
  return name.find_first_of(std::wstring(L"\\/:\0", 4)) == std::wstring::npos;
}

UniqueHandle OpenInFolder(HANDLE folder, const std::wstring& name, ACCESS_MASK access,
                          ULONG options) {
  NoCriticalErrorDialogs quiet;
  const auto open = NtOpenFileEntry();
  constexpr std::size_t kMaxBytes = std::numeric_limits<USHORT>::max();
  if (open == nullptr || !IsPlainName(name) || name.size() * sizeof(wchar_t) > kMaxBytes) {
    SetLastError(ERROR_INVALID_NAME);
    return UniqueHandle();
  }
  UNICODE_STRING objectName;
  objectName.Buffer = const_cast<PWSTR>(name.c_str());
  objectName.Length = static_cast<USHORT>(name.size() * sizeof(wchar_t));
  objectName.MaximumLength = objectName.Length;
  // The name comes from the folder's own listing, so it is matched exactly where the system
  // lets it (case-sensitive folders hold names that differ only in case).
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &objectName, 0, folder, nullptr);
  IO_STATUS_BLOCK status;
  HANDLE handle = nullptr;
  const NTSTATUS result =
      open(&handle, access | SYNCHRONIZE, &attributes, &status,
           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
           options | FILE_OPEN_REPARSE_POINT | FILE_OPEN_FOR_BACKUP_INTENT |
               FILE_SYNCHRONOUS_IO_NONALERT);
  if (result < 0) {
    SetLastErrorFromStatus(result);
    return UniqueHandle();
  }
  return UniqueHandle(handle);
}

}  // namespace lumaveil::fs
