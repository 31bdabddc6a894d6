#include <gtest/gtest.h>

#include "platform/fs/win32_drive_path.h"

namespace lumaveil::fs {
namespace {

struct PathCase {
  const char* input;
  const wchar_t* display;
  const wchar_t* extended;
};

TEST(Win32DrivePath, ResolvesDriveFormsToFullAndExtendedPaths) {
  const PathCase cases[] = {
      {"C:", L"C:\\", L"\\\\?\\C:\\"},
      {"C:\\", L"C:\\", L"\\\\?\\C:\\"},
      {"C:\\Windows", L"C:\\Windows", L"\\\\?\\C:\\Windows"},
      {"C:\\Windows\\", L"C:\\Windows", L"\\\\?\\C:\\Windows"},
      {"d:/Data/./old/../new", L"d:\\Data\\new", L"\\\\?\\d:\\Data\\new"},
      {"C:\\..", L"C:\\", L"\\\\?\\C:\\"},
      {"C:\\\\", L"C:\\", L"\\\\?\\C:\\"},
      {"C:\\Data\\\\/new\\\\", L"C:\\Data\\new", L"\\\\?\\C:\\Data\\new"},
      {"\\\\server\\share\\docs\\", L"\\\\server\\share\\docs",
       L"\\\\?\\UNC\\server\\share\\docs"},
      {"C:\\\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0\\\xE6\x96\x87",
       L"C:\\\u041F\u0430\u043F\u043A\u0430\\\u6587",
       L"\\\\?\\C:\\\u041F\u0430\u043F\u043A\u0430\\\u6587"},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.input);
    const auto resolved = ResolveDrivePath(c.input);
    ASSERT_TRUE(resolved.has_value());
    EXPECT_EQ(resolved->display, c.display);
    EXPECT_EQ(resolved->extended, c.extended);
  }
}

TEST(Win32DrivePath, RefusesWhatIsNotAnAbsoluteDrivePath) {
  for (const char* input : {"", "Windows", "C:Windows", "\\Windows", "1:\\", "\\\\?\\C:\\Windows",
                            "\\\\.\\PhysicalDrive0", "\\\\?", "C:\\bad\xFF" "name"}) {
    SCOPED_TRACE(input);
    EXPECT_FALSE(ResolveDrivePath(input).has_value());
  }
  EXPECT_FALSE(ResolveDrivePath(std::string("C:\\a\0b", 6)).has_value());
}

TEST(Win32DrivePath, KeepsPathsPastTheOldLimitWhole) {
  std::string path = "C:";
  std::wstring expected = L"C:";
  for (int i = 0; i < 40; ++i) {
    path += "\\folder" + std::to_string(i);
    expected += L"\\folder" + std::to_wstring(i);
  }
  ASSERT_GT(expected.size(), 300u);
  const auto resolved = ResolveDrivePath(path);
  ASSERT_TRUE(resolved.has_value());
  EXPECT_EQ(resolved->display, expected);
  EXPECT_EQ(resolved->extended, L"\\\\?\\" + expected);
}

TEST(Win32DrivePath, NamesThatPathCallsWouldAlterAreUnreachable) {
  EXPECT_TRUE(IsReachableByDrivePath(L"name"));
  EXPECT_TRUE(IsReachableByDrivePath(L"..data"));
  EXPECT_TRUE(IsReachableByDrivePath(L"\u6587 \u4EF6.txt"));
  EXPECT_FALSE(IsReachableByDrivePath(L"trailing."));
  EXPECT_FALSE(IsReachableByDrivePath(L"trailing "));
  EXPECT_FALSE(IsReachableByDrivePath(L"half\xD800"));
  EXPECT_FALSE(IsReachableByDrivePath(L""));
}

TEST(Win32DrivePath, NamesAndJoinsComponents) {
  EXPECT_EQ(LastComponent(L"C:\\"), L"");
  EXPECT_EQ(LastComponent(L"C:\\Windows"), L"Windows");
  EXPECT_EQ(LastComponent(L"C:\\Windows\\System32"), L"System32");
  EXPECT_EQ(JoinPath(L"C:\\", L"Windows"), L"C:\\Windows");
  EXPECT_EQ(JoinPath(L"C:\\Windows", L"System32"), L"C:\\Windows\\System32");
}

}  // namespace
}  // namespace lumaveil::fs
