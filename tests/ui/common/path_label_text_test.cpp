#include "ui/common/path_label_text.h"

#include <gtest/gtest.h>

#include <string>

namespace lumaveil::ui {
namespace {

TEST(PathLabelTextTest, FolderAndNameUpToTheLimitNeverCutInsideACharacter) {
  EXPECT_EQ(PathLabelText("D:\\docs\\", "a.txt"), "D:\\docs\\a.txt");
  EXPECT_EQ(PathLabelText("D:\\", "abcdef", 6), "D:\\abc");
  EXPECT_EQ(PathLabelText("D:\\docs\\", "a.txt", 4), "D:\\d");
  // "é" is two bytes, "€" three: a limit inside one drops it whole, in the folder or the name.
  EXPECT_EQ(PathLabelText("D:\\\xc3\xa9", "x", 4), "D:\\");
  EXPECT_EQ(PathLabelText("D:\\", "\xe2\x82\xacx", 5), "D:\\");
  EXPECT_EQ(PathLabelText("D:\\", "\xe2\x82\xacx", 6), "D:\\\xe2\x82\xac");
  const std::string deep(5 << 20, 'd');
  EXPECT_EQ(PathLabelText(deep, "file"), std::string(kPathLabelBytes, 'd'));
}

TEST(PathLabelTextTest, TailIsTheLastBytesStartingOnAWholeCharacter) {
  EXPECT_EQ(PathLabelTail("D:\\docs\\", "a.txt"), "D:\\docs\\a.txt");
  EXPECT_EQ(PathLabelTail("D:\\docs\\", "a.txt", 7), "s\\a.txt");
  EXPECT_EQ(PathLabelTail("D:\\docs\\", "a.txt", 3), "txt");
  EXPECT_EQ(PathLabelTail("D:\\\xc3\xa9", "x", 2), "x");
  EXPECT_EQ(PathLabelTail("D:\\\xc3\xa9", "x", 3), "\xc3\xa9x");
  const std::string deep(5 << 20, 'd');
  EXPECT_EQ(PathLabelTail("D:\\", deep), std::string(kPathLabelBytes, 'd'));
}

}  // namespace
}  // namespace lumaveil::ui
