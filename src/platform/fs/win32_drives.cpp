#include "platform/fs/win32_drives.h"

#include <windows.h>

#include "platform/fs/win32_error_mode.h"

namespace lumaveil::fs {
namespace {

std::wstring LogicalDriveStrings() {
  std::wstring buffer(128, L'\0');
  for (;;) {
    const DWORD n = GetLogicalDriveStringsW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (n == 0) return std::wstring();
    if (n < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(n + 1);
  }
}

// A drive is ready when its volume answers: an empty CD-ROM or card reader, or an unreachable
// share, does not.
bool VolumeAnswers(const std::wstring& root) {
  NoCriticalErrorDialogs quiet;
  return GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr,
                               0) != FALSE;
}

}  // namespace

int DriveTypeCodeOf(unsigned int driveType) {
  switch (driveType) {
    case DRIVE_REMOVABLE: return kDriveRemovable;
    case DRIVE_FIXED: return kDriveFixed;
    case DRIVE_REMOTE: return kDriveNetwork;
    case DRIVE_CDROM: return kDriveCdRom;
    case DRIVE_RAMDISK: return kDriveRamDisk;
    default: return kDriveUnknown;
  }
}

std::vector<std::wstring> SplitDriveStrings(const std::wstring& buffer) {
  std::vector<std::wstring> roots;
  std::size_t start = 0;
  while (start < buffer.size()) {
    std::size_t end = buffer.find(L'\0', start);
    if (end == std::wstring::npos) end = buffer.size();
    if (end == start) break;
    roots.push_back(buffer.substr(start, end - start));
    start = end + 1;
  }
  return roots;
}

Drive MakeDrive(const std::wstring& root, int typeCode, bool ready) {
  const std::wstring letter = root.substr(0, 1);
  Drive drive;
  drive.DriveLetter = DisplayText(letter);
  drive.Path = DisplayText(letter + L":");
  drive.DriveType = typeCode;
  drive.IsReady = ready;
  drive.RootFolder = DisplayText(letter + L":\\");
  return drive;
}

std::vector<Drive> ListDrives() {
  std::vector<Drive> drives;
  for (const std::wstring& root : SplitDriveStrings(LogicalDriveStrings())) {
    if (root.size() < 2 || root[1] != L':') continue;
    drives.push_back(MakeDrive(root, DriveTypeCodeOf(GetDriveTypeW(root.c_str())),
                               VolumeAnswers(root)));
  }
  return drives;
}

}  // namespace lumaveil::fs
