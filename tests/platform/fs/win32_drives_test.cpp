#include <windows.h>

#include <gtest/gtest.h>

#include "platform/fs/win32_drives.h"
#include "win32_fs_test_support.h"

namespace lumaveil::fs {
namespace {

TEST(Win32Drives, SystemDriveTypesBecomeTheTreesTypeCodes) {
  EXPECT_EQ(DriveTypeCodeOf(DRIVE_UNKNOWN), kDriveUnknown);
  EXPECT_EQ(DriveTypeCodeOf(DRIVE_NO_ROOT_DIR), kDriveUnknown);
  EXPECT_EQ(DriveTypeCodeOf(DRIVE_REMOVABLE), kDriveRemovable);
  EXPECT_EQ(DriveTypeCodeOf(DRIVE_FIXED), kDriveFixed);
  EXPECT_EQ(DriveTypeCodeOf(DRIVE_REMOTE), kDriveNetwork);
  EXPECT_EQ(DriveTypeCodeOf(DRIVE_CDROM), kDriveCdRom);
  EXPECT_EQ(DriveTypeCodeOf(DRIVE_RAMDISK), kDriveRamDisk);
  EXPECT_EQ(DriveTypeCodeOf(42), kDriveUnknown);
}

TEST(Win32Drives, SplitsTheDriveStringBuffer) {
  const std::wstring buffer(L"A:\\\0C:\\\0Z:\\\0\0", 13);
  EXPECT_EQ(SplitDriveStrings(buffer), (std::vector<std::wstring>{L"A:\\", L"C:\\", L"Z:\\"}));
  EXPECT_TRUE(SplitDriveStrings(std::wstring()).empty());
  EXPECT_EQ(SplitDriveStrings(std::wstring(L"D:\\", 3)), std::vector<std::wstring>{L"D:\\"});
}

TEST(Win32Drives, DescribesADriveByItsRoot) {
  const Drive drive = MakeDrive(L"E:\\", kDriveCdRom, false);
  EXPECT_EQ(drive.DriveLetter, "E");
  EXPECT_EQ(drive.Path, "E:");
  EXPECT_EQ(drive.RootFolder, "E:\\");
  EXPECT_EQ(drive.DriveType, kDriveCdRom);
  EXPECT_FALSE(drive.IsReady);
}

TEST(Win32Drives, TheDriveOfTheTemporaryFolderIsListedAndReady) {
  testing::ScratchFolder scratch;
  const std::string letter = scratch.Path().substr(0, 1);
  const auto drives = ListDrives();
  ASSERT_FALSE(drives.empty());
  const Drive* found = nullptr;
  for (std::size_t i = 0; i < drives.size(); ++i) {
    if (i > 0) {
      EXPECT_LT(drives[i - 1].DriveLetter, drives[i].DriveLetter);
    }
    if (drives[i].DriveLetter == letter) found = &drives[i];
  }
  ASSERT_NE(found, nullptr) << "no drive " << letter;
  EXPECT_TRUE(found->IsReady);
  EXPECT_EQ(found->Path, letter + ":");
  EXPECT_EQ(found->RootFolder, letter + ":\\");
  EXPECT_NE(found->DriveType, kDriveUnknown);
}

}  // namespace
}  // namespace lumaveil::fs
