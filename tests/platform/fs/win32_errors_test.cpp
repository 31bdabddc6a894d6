#include <windows.h>

#include <gtest/gtest.h>

#include "common/error_number_of.h"
#include "platform/fs/file_system.h"
#include "platform/fs/win32_errors.h"
#include "win32_fs_test_support.h"

namespace lumaveil::fs {
namespace {

TEST(Win32Errors, SystemCodesBecomeRunTimeErrors) {
  struct Case {
    DWORD code;
    int number;
    const char* description;
  };
  const Case cases[] = {
      {ERROR_FILE_NOT_FOUND, 76, "Path not found"},
      {ERROR_PATH_NOT_FOUND, 76, "Path not found"},
      {ERROR_BAD_NETPATH, 76, "Path not found"},
      {ERROR_ACCESS_DENIED, 70, "Permission denied"},
      {ERROR_SHARING_VIOLATION, 70, "Permission denied"},
      {ERROR_NOT_READY, 71, "Disk not ready"},
      {ERROR_NO_MEDIA_IN_DRIVE, 71, "Disk not ready"},
      {ERROR_NETNAME_DELETED, 71, "Disk not ready"},
      {ERROR_INVALID_PARAMETER, 75, "Path/File access error"},
      {ERROR_CRC, 75, "Path/File access error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const RunTimeError error = ErrorFromWin32(c.code);
    EXPECT_EQ(error.Number(), c.number);
    EXPECT_EQ(error.Description(), c.description);
  }
}

// A drive letter that names no drive on this machine.
std::string UnusedDriveLetter() {
  const DWORD used = GetLogicalDrives();
  for (int i = 25; i >= 0; --i) {
    if (!(used & (1u << i))) return std::string(1, static_cast<char>('A' + i));
  }
  return std::string();
}

TEST(Win32Errors, FoldersThatAreNotThereAreNotFound) {
  testing::ScratchFolder scratch;
  ASSERT_TRUE(scratch.MakeFile(L"file.txt"));
  const auto fs = CreateFileSystem();
  EXPECT_EQ(ErrorNumberOf([&] { fs->GetFolder(scratch.Path(L"missing")); }), 76);
  EXPECT_EQ(ErrorNumberOf([&] { fs->GetFolder(scratch.Path(L"missing\\deeper")); }), 76);
  EXPECT_EQ(ErrorNumberOf([&] { fs->GetFolder(scratch.Path(L"file.txt")); }), 76);
  EXPECT_EQ(ErrorNumberOf([&] { fs->GetFolder("relative\\path"); }), 76);
  EXPECT_EQ(ErrorNumberOf([&] { fs->GetFolder("C:\\bad\xFFname"); }), 76);
  const std::string letter = UnusedDriveLetter();
  ASSERT_FALSE(letter.empty());
  EXPECT_EQ(ErrorNumberOf([&] { fs->GetFolder(letter + ":\\"); }), 76);
}

TEST(Win32Errors, AFolderRemovedAfterItWasOpenedFailsItsListings) {
  testing::ScratchFolder scratch;
  ASSERT_TRUE(scratch.MakeFolder(L"gone"));
  const auto fs = CreateFileSystem();
  const Folder folder = fs->GetFolder(scratch.Path(L"gone"));
  ASSERT_TRUE(RemoveDirectoryW(scratch.Extended(L"gone").c_str()));
  EXPECT_EQ(ErrorNumberOf([&] { fs->SubFolders(folder); }), 76);
  EXPECT_EQ(ErrorNumberOf([&] { fs->Files(folder); }), 76);
}

}  // namespace
}  // namespace lumaveil::fs
