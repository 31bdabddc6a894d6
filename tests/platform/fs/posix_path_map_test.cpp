#include <gtest/gtest.h>

#include "platform/fs/posix_path_map.h"

namespace lumaveil::fs {
namespace {

std::string Normal(std::string_view text) {
  const std::optional<DrivePath> path = ParseDrivePath(text);
  return path ? path->Text() : "<none>";
}

TEST(DrivePathParse, RootAndFoldersInTheFormTheTreeUses) {
  EXPECT_EQ(Normal("C:"), "C:\\");
  EXPECT_EQ(Normal("C:\\"), "C:\\");
  EXPECT_EQ(Normal("c:\\"), "C:\\");
  EXPECT_EQ(Normal("C:\\Windows"), "C:\\Windows");
  EXPECT_EQ(Normal("C:\\Windows\\"), "C:\\Windows");
  EXPECT_EQ(Normal("e:/DCIM/a.jpg"), "E:\\DCIM\\a.jpg");
  EXPECT_EQ(ParseDrivePath("C:\\").value().Name(), "");
  EXPECT_EQ(ParseDrivePath("C:\\a\\Bc").value().Name(), "Bc");
}

TEST(DrivePathParse, DotsAndEmptyNamesResolveWithoutLeavingTheDrive) {
  EXPECT_EQ(Normal("C:\\a\\.\\b\\\\c\\"), "C:\\a\\b\\c");
  EXPECT_EQ(Normal("C:\\a\\..\\b"), "C:\\b");
  EXPECT_EQ(Normal("C:\\..\\..\\etc"), "C:\\etc");
  EXPECT_EQ(Normal("C:\\a\\b\\..\\.."), "C:\\");
  EXPECT_EQ(Normal("C:\\...\\.x"), "C:\\...\\.x");  // only "." and ".." are special
}

TEST(DrivePathParse, RefusesWhatIsNotAnAbsoluteDrivePath) {
  for (std::string_view bad : {"", "C", ":\\", "1:\\", "\\\\server\\share", "/etc",
                               "CC:\\", "C:relative", "\xC3:\\"}) {
    EXPECT_EQ(Normal(bad), "<none>") << bad;
  }
  EXPECT_EQ(Normal("C:\\bad\xFF"), "<none>");            // not UTF-8
  EXPECT_EQ(Normal(std::string("C:\\a\0b", 6)), "<none>");  // cannot be a native name
}

TEST(DriveFormName, NeedsUtf8AndNoBackslash) {
  EXPECT_TRUE(HasDriveForm("plain.txt"));
  EXPECT_TRUE(HasDriveForm("Ünïcödé 日本 \t"));
  EXPECT_FALSE(HasDriveForm("a\\b"));
  EXPECT_FALSE(HasDriveForm("caf\xE9"));           // Latin-1
  EXPECT_FALSE(HasDriveForm("\xC0\xAF"));          // overlong "/"
  EXPECT_FALSE(HasDriveForm("\xED\xA0\x80"));      // surrogate
}

class PathMapTest : public ::testing::Test {
 protected:
  PathMap map_{{{'C', "/"},
                {'D', "/media/user/USB STICK"},
                {'E', "/media/user/USB STICK/nested"},
                {'F', "/mnt/a\\b"},
                {'g', "/mnt/lower/"}}};

  std::string Native(std::string_view drivePath) const {
    const auto native = map_.ToNative(ParseDrivePath(drivePath).value());
    return native.value_or("<none>");
  }
};

TEST_F(PathMapTest, DriveFormToNative) {
  EXPECT_EQ(Native("C:"), "/");
  EXPECT_EQ(Native("C:\\"), "/");
  EXPECT_EQ(Native("C:\\Windows\\System32"), "/Windows/System32");
  EXPECT_EQ(Native("d:\\DCIM\\a.jpg"), "/media/user/USB STICK/DCIM/a.jpg");
  EXPECT_EQ(Native("D:\\"), "/media/user/USB STICK");
  EXPECT_EQ(Native("D:\\..\\..\\etc"), "/media/user/USB STICK/etc");  // no way above the drive
  EXPECT_EQ(Native("F:\\x"), "/mnt/a\\b/x");
  EXPECT_EQ(Native("G:\\x"), "/mnt/lower/x");
  EXPECT_EQ(Native("H:\\"), "<none>");
}

}  // namespace
}  // namespace lumaveil::fs
