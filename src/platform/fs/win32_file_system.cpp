// The file system of a Windows machine, through the wide calls.
#include <windows.h>

#include "common/run_time_error.h"
#include "platform/fs/file_system.h"
#include "platform/fs/win32_attributes.h"
#include "platform/fs/win32_directory.h"
#include "platform/fs/win32_drive_path.h"
#include "platform/fs/win32_drives.h"
#include "platform/fs/win32_error_mode.h"
#include "platform/fs/win32_errors.h"
#include "platform/fs/win32_find.h"

namespace lumaveil::fs {
namespace {

bool IsDotEntry(const std::wstring& name) { return name == L"." || name == L".."; }

// A path no wide call could be given names nothing there.
ResolvedPath Resolve(const std::string& path) {
  auto resolved = ResolveDrivePath(path);
  if (!resolved) throw RunTimeError(error::kPathNotFound, "Path not found");
  return *resolved;
}

class Win32FileSystem : public FileSystem {
 public:
  std::vector<Drive> Drives() override { return ListDrives(); }

  Folder GetFolder(const std::string& path) override {
    NoCriticalErrorDialogs quiet;
    const ResolvedPath resolved = Resolve(path);
    const DWORD attributes = GetFileAttributesW(resolved.extended.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) ThrowLastWin32Error();
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      throw RunTimeError(error::kPathNotFound, "Path not found");
    }
    return Folder{DisplayText(resolved.display), DisplayText(LastComponent(resolved.display))};
  }

  std::vector<Folder> SubFolders(const Folder& folder) override {
    NoCriticalErrorDialogs quiet;
    const ResolvedPath resolved = Resolve(folder.Path);
    std::vector<Folder> folders;
    for (const FoundEntry& entry : FindEntries(resolved.extended)) {
      if (!(entry.attributes & FILE_ATTRIBUTE_DIRECTORY) || IsDotEntry(entry.name) ||
          IsLinkEntry(entry.attributes, entry.reparseTag) ||
          !IsReachableByDrivePath(entry.name)) {
        continue;
      }
      folders.push_back(
          Folder{DisplayText(JoinPath(resolved.display, entry.name)), DisplayText(entry.name)});
    }
    return folders;
  }

  std::vector<std::string> Files(const Folder& folder) override {
    NoCriticalErrorDialogs quiet;
    const ResolvedPath resolved = Resolve(folder.Path);
    std::vector<std::string> names;
    for (const FoundEntry& entry : FindEntries(resolved.extended)) {
      if (!(entry.attributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(DisplayText(entry.name));
    }
    return names;
  }

  std::unique_ptr<Directory> OpenDirectory(const std::string& path) override {
    NoCriticalErrorDialogs quiet;
    const auto resolved = ResolveDrivePath(path);
    if (!resolved) return nullptr;
    return OpenWin32Directory(resolved->extended);
  }
};

}  // namespace

std::unique_ptr<FileSystem> CreateFileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace lumaveil::fs
