// Shared by the Windows file-system tests: a scratch folder under the system's temporary folder
// that is always removed, raw attribute access that bypasses the code under test, and the few
// places where Wine's file system behaves unlike Windows.
#pragma once

#include <windows.h>
#include <winioctl.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/fs/attributes_of.h"
#include "platform/fs/file_system.h"

namespace lumaveil::fs::testing {

// Wine keeps only Hidden and System in its attribute store and Read-Only in a file's mode: a file
// always reads Archive, a folder never does, and Read-Only on a folder is ignored. The round
// trips check the rest there.
inline bool RunningUnderWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

inline std::uint32_t ExpectedFileAttributes(std::uint32_t mask) {
  mask &= attr::kSettable;
  if (RunningUnderWine()) return mask | attr::kArchive;
  return mask == 0 ? attr::kNormal : mask;
}

inline std::uint32_t ExpectedFolderAttributes(std::uint32_t mask) {
  mask &= attr::kSettable;
  if (RunningUnderWine()) mask &= attr::kHidden | attr::kSystem;
  return attr::kDirectory | mask;
}

inline std::wstring Utf16(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                    wide.data(), static_cast<int>(wide.size()));
  wide.resize(n > 0 ? n : 0);
  return wide;
}

// Removes the entry at an extended-length path, whatever it holds; links are removed, never
// entered.
inline void RemoveTree(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(path.c_str(), attributes & FILE_ATTRIBUTE_DIRECTORY
                                       ? FILE_ATTRIBUTE_DIRECTORY
                                       : FILE_ATTRIBUTE_NORMAL);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileW(path.c_str());
    return;
  }
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") RemoveTree(path + L"\\" + name);
      } while (FindNextFileW(find, &data));
      FindClose(find);
    }
  }
  RemoveDirectoryW(path.c_str());
}

// A fresh folder under the temporary folder, removed with all it holds when the test ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    static int counter = 0;
    wchar_t temp[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    std::wstring base(temp, n);
    if (!base.empty() && base.back() == L'\\') base.pop_back();
    display_ = base + L"\\lumaveil-fs-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(++counter);
    CreateDirectoryW(Extended().c_str(), nullptr);
  }
  ~ScratchFolder() { RemoveTree(Extended()); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // "C:\...\lumaveil-fs-..." and what lies below it.
  std::wstring Display(const std::wstring& relative = L"") const {
    return relative.empty() ? display_ : display_ + L"\\" + relative;
  }
  std::string Path(const std::wstring& relative = L"") const {
    return DisplayText(Display(relative));
  }
  std::wstring Extended(const std::wstring& relative = L"") const {
    return L"\\\\?\\" + Display(relative);
  }

  bool MakeFolder(const std::wstring& relative) const {
    return CreateDirectoryW(Extended(relative).c_str(), nullptr) != FALSE;
  }
  bool MakeFile(const std::wstring& relative) const {
    HANDLE file = CreateFileW(Extended(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
  }
  bool SetRaw(const std::wstring& relative, DWORD attributes) const {
    return SetFileAttributesW(Extended(relative).c_str(), attributes) != FALSE;
  }
  DWORD Raw(const std::wstring& relative) const {
    return GetFileAttributesW(Extended(relative).c_str());
  }

 // A junction at `link` to the folder `target`, or failing that a symbolic link; false when the
  // file system takes neither (Wine 8 reports success for symbolic links and makes none).
  bool MakeFolderLink(const std::wstring& link, const std::wstring& target) const {
    if (MakeJunction(link, target)) return true;
    RemoveDirectoryW(Extended(link).c_str());
    return CreateSymbolicLinkW(Extended(link).c_str(), Extended(target).c_str(),
                               SYMBOLIC_LINK_FLAG_DIRECTORY |
                                   SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) &&
           IsReparsePoint(link);
  }

 private:
  bool IsReparsePoint(const std::wstring& relative) const {
    const DWORD attributes = Raw(relative);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
  }

  // The mount-point reparse buffer: tag, data length, then the substitute and print names.
  bool MakeJunction(const std::wstring& link, const std::wstring& target) const {
    if (!MakeFolder(link)) return false;
    HANDLE handle = CreateFileW(Extended(link).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const std::wstring substitute = L"\\??\\" + Display(target);
    const std::size_t nameBytes = substitute.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(8 + 8 + nameBytes + 2 * sizeof(wchar_t), 0);
    const auto put16 = [&](std::size_t at, std::size_t value) {
      const auto v = static_cast<std::uint16_t>(value);
      std::memcpy(buffer.data() + at, &v, sizeof v);
    };
    const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
    std::memcpy(buffer.data(), &tag, sizeof tag);
    put16(4, buffer.size() - 8);               // data length
    put16(8, 0);                               // substitute name offset
    put16(10, nameBytes);                      // substitute name length
    put16(12, nameBytes + sizeof(wchar_t));    // print name offset (empty print name)
    put16(14, 0);                              // print name length
    std::memcpy(buffer.data() + 16, substitute.c_str(), nameBytes);
    DWORD returned = 0;
    const BOOL ok = DeviceIoControl(handle, FSCTL_SET_REPARSE_POINT, buffer.data(),
                                    static_cast<DWORD>(buffer.size()), nullptr, 0, &returned,
                                    nullptr);
    CloseHandle(handle);
    return ok && IsReparsePoint(link);
  }

  std::wstring display_;
};

}  // namespace lumaveil::fs::testing
