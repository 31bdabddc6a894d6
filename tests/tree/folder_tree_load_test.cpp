#include <gtest/gtest.h>

#include "tree/image_keys.h"
#include "tree_fixture.h"

namespace lumaveil::testing {
namespace {

using Strings = std::vector<std::string>;

TEST_F(TreeTest, LoadShowsEveryDriveInLetterOrderWithItsPictureAndText) {
  tree_.Form_Load();

  EXPECT_EQ(view_.TopLevel(), (Strings{"A:", "B:", "C:", "D:", "E:", "R:", "x:", "Z:"}));
  const std::vector<std::pair<std::string, std::string>> expected = {
      {" A:", "floppydrive"},    {" B:", "floppydrive"}, {" C:", "harddrive"},
      {" D:", "cdrom"},          {" E:", "removabledrive"}, {" R:", "unknowndrive"},
      {" X:", "harddrive"},      {" Z:", "netdrive"}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const auto& node = view_.At(view_.TopLevel()[i]);
    EXPECT_EQ(node.text, expected[i].first) << view_.TopLevel()[i];
    EXPECT_EQ(node.image, expected[i].second) << view_.TopLevel()[i];
  }
  EXPECT_TRUE(path_box_.text_.empty());
  EXPECT_EQ(path_box_.writes_, 0);
}

TEST_F(TreeTest, LoadHangsEachReadyRootsFoldersUnderItsDriveAndNothingDeeper) {
  tree_.Form_Load();

  EXPECT_EQ(view_.At("C:").children,
            (Strings{"C:\\Windows", "C:\\Program Files", "C:\\Users", "C:\\Empty"}));
  EXPECT_EQ(view_.At("C:\\Windows").text, "Windows");
  EXPECT_EQ(view_.At("C:\\Windows").image, "closedfolder");
  EXPECT_TRUE(view_.At("C:\\Windows").children.empty());
  EXPECT_FALSE(view_.Contains("C:\\"));
  EXPECT_FALSE(view_.Contains("C:\\Windows\\System32"));

  EXPECT_EQ(view_.At("x:").children, (Strings{"x:\\data"}));
  EXPECT_EQ(view_.At("Z:").children, (Strings{"Z:\\Shared"}));
  EXPECT_EQ(view_.At("B:").children, (Strings{"B:\\Backup"}));
  EXPECT_TRUE(view_.At("A:").children.empty());
  EXPECT_TRUE(view_.At("D:").children.empty());
  EXPECT_TRUE(view_.At("R:").children.empty());  // ready but holds no folder
  // Not-ready drives are never opened.
  for (const std::string& path : machine_.Opened()) {
    EXPECT_NE(path.substr(0, 2), "A:");
    EXPECT_NE(path.substr(0, 2), "D:");
  }
}

TEST_F(TreeTest, RootThatCannotBeListedLeavesItsDriveBareAndTheRestLoads) {
  machine_.FailSubFolders("C:\\", {70, "Permission denied"});
  // The stick was pulled between the readiness test and the listing.
  machine_.FailSubFolders("E:\\", {71, "Disk not ready"});

  EXPECT_NO_THROW(tree_.Form_Load());

  EXPECT_EQ(view_.TopLevel().size(), 8u);
  EXPECT_TRUE(view_.At("C:").children.empty());
  EXPECT_TRUE(view_.At("E:").children.empty());
  EXPECT_EQ(view_.At("Z:").children, (Strings{"Z:\\Shared"}));
  EXPECT_TRUE(reporter_.reports_.empty());
}

TEST(DriveImageKey, FollowsTheTypeAndOnlyExactUpperCaseAOrBIsAFloppy) {
  using tree::DriveImageKey;
  EXPECT_EQ(DriveImageKey(fs::kDriveRemovable, "A"), "floppydrive");
  EXPECT_EQ(DriveImageKey(fs::kDriveRemovable, "B"), "floppydrive");
  EXPECT_EQ(DriveImageKey(fs::kDriveRemovable, "a"), "removabledrive");
  EXPECT_EQ(DriveImageKey(fs::kDriveRemovable, "C"), "removabledrive");
  EXPECT_EQ(DriveImageKey(fs::kDriveFixed, "A"), "harddrive");
  EXPECT_EQ(DriveImageKey(fs::kDriveNetwork, "B"), "netdrive");
  EXPECT_EQ(DriveImageKey(fs::kDriveCdRom, "A"), "cdrom");
  EXPECT_EQ(DriveImageKey(fs::kDriveUnknown, "C"), "unknowndrive");
  EXPECT_EQ(DriveImageKey(fs::kDriveRamDisk, "C"), "unknowndrive");
  EXPECT_EQ(DriveImageKey(-1, "C"), "unknowndrive");
}

TEST(DriveImageKey, EveryPictureItChoosesIsInTheImageList) {
  const auto& keys = tree::kImageListKeys;
  for (int type = -1; type <= 6; ++type) {
    for (const char* letter : {"A", "B", "E"}) {
      EXPECT_NE(std::find(keys.begin(), keys.end(), tree::DriveImageKey(type, letter)),
                keys.end());
    }
  }
}

}  // namespace
}  // namespace lumaveil::testing
