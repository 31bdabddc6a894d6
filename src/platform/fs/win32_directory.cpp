#include "platform/fs/win32_directory.h"

#include <windows.h>
#include <winternl.h>

#include <vector>

#include "platform/fs/win32_attributes.h"
#include "platform/fs/win32_error_mode.h"
#include "platform/fs/win32_handle.h"
#include "platform/fs/win32_relative_open.h"

namespace lumaveil::fs {
namespace {

constexpr ACCESS_MASK kListAccess = FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES;

EntryKind KindOf(std::uint32_t attributes, std::uint32_t reparseTag) {
  if (IsLinkEntry(attributes, reparseTag)) return EntryKind::Link;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EntryKind::Folder;
  if (attributes & FILE_ATTRIBUTE_DEVICE) return EntryKind::Special;
  return EntryKind::File;
}

// Whether an open entry is a folder, and with `orLink` false, one that is not a link either.
bool IsFolder(HANDLE handle, bool orLink) {
  FILE_ATTRIBUTE_TAG_INFO info{};
  if (!GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &info, sizeof info)) {
    return false;
  }
  return (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         (orLink || !IsLinkEntry(info.FileAttributes, info.ReparseTag));
}

class Win32Directory : public Directory {
 public:
  explicit Win32Directory(UniqueHandle handle) : handle_(std::move(handle)) {}

  std::vector<DirEntry> ListAll() override { return List(); }

  std::unique_ptr<Directory> OpenFolder(const NativeName& name) override {
    // The link itself is opened, never its target, and a link is no folder to enter.
    UniqueHandle child = OpenInFolder(handle_.get(), name, kListAccess, FILE_DIRECTORY_FILE);
    if (!child || !IsFolder(child.get(), false)) return nullptr;
    return std::make_unique<Win32Directory>(std::move(child));
  }


  AttributeChange ChangeAttributes(const NativeName& name, const AttributeTarget& target,
                                   const BeforeWrite& beforeWrite) override {
    AttributeChange change;
    UniqueHandle entry =
        OpenInFolder(handle_.get(), name, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, 0);
    FILE_ATTRIBUTE_TAG_INFO tag{};
    FILE_BASIC_INFO info{};
    if (!entry ||
        !GetFileInformationByHandleEx(entry.get(), FileAttributeTagInfo, &tag, sizeof tag) ||
        !GetFileInformationByHandleEx(entry.get(), FileBasicInfo, &info, sizeof info)) {
      change.error = static_cast<int>(GetLastError());
      return change;
    }
    if (KindOf(tag.FileAttributes, tag.ReparseTag) == EntryKind::Link ||
        (tag.FileAttributes & FILE_ATTRIBUTE_DEVICE)) {
      change.result = AttributeChange::Result::kLeftAlone;
      return change;
    }
    change.before = {AttributesAsRead(info.FileAttributes), 0};
    if (AlreadyMatches(change.before, AttributeTarget{target.bits, std::nullopt})) {
      change.result = AttributeChange::Result::kAlreadyRight;
      return change;
    }
    if (beforeWrite && !beforeWrite(change.before)) {
      change.result = AttributeChange::Result::kHeldBack;
      return change;
    }
    FILE_BASIC_INFO update{};
    update.FileAttributes = AttributesToWrite(info.FileAttributes, target.bits);
    if (!SetFileInformationByHandle(entry.get(), FileBasicInfo, &update, sizeof update)) {
      change.error = static_cast<int>(GetLastError());
      return change;
    }
    change.result = AttributeChange::Result::kChanged;
    return change;
  }

  std::optional<FolderIdentity> Identity() override {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle_.get(), &info)) return std::nullopt;
    return FolderIdentity{info.dwVolumeSerialNumber,
                          (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
  }

 private:
  // Reads the listing through the handle itself, from its start on every call. A listing that
  // fails part way keeps what it read.
  std::vector<DirEntry> List() {
    NoCriticalErrorDialogs quiet;
    std::vector<DirEntry> entries;
    std::vector<std::uint64_t> buffer(64 * 1024 / sizeof(std::uint64_t));
    const DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(std::uint64_t));
    FILE_INFO_BY_HANDLE_CLASS infoClass = FileIdBothDirectoryRestartInfo;
    while (GetFileInformationByHandleEx(handle_.get(), infoClass, buffer.data(), bytes)) {
      infoClass = FileIdBothDirectoryInfo;
      const auto* at = reinterpret_cast<const unsigned char*>(buffer.data());
      for (;;) {
        const auto* info = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
        // For a reparse point the EA size field carries its tag.
        const std::uint32_t tag = info->EaSize;
        entries.push_back(
            DirEntry{NativeName(info->FileName, info->FileNameLength / sizeof(wchar_t)),
                     KindOf(info->FileAttributes, tag)});
        if (info->NextEntryOffset == 0) break;
        at += info->NextEntryOffset;
      }
    }
    return entries;
  }

  UniqueHandle handle_;
};

}  // namespace

std::unique_ptr<Directory> OpenWin32Directory(const std::wstring& extendedPath) {
  UniqueHandle handle(CreateFileW(extendedPath.c_str(), kListAccess | SYNCHRONIZE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  // The chosen folder itself may be reached through a junction.
  if (!handle || !IsFolder(handle.get(), true)) return nullptr;
  return std::make_unique<Win32Directory>(std::move(handle));
}

}  // namespace lumaveil::fs
