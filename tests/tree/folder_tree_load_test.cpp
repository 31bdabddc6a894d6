#include <gtest/gtest.h>

#include "tree/image_keys.h"
#include "tree_fixture.h"

namespace lumaveil::testing {
namespace {

TEST_F(TreeTest, LoadListsEveryDriveInOrderAndTheRootFoldersOfReadyOnes) {
  tree_.Form_Load();

  EXPECT_EQ(view_.TopLevel(), (Strings{"A:", "B:", "C:", "D:", "E:", "R:", "x:", "Z:"}));
  const Strings texts = {" A:", " B:", " C:", " D:", " E:", " R:", " X:", " Z:"};
  const Strings images = {"floppydrive",    "floppydrive",  "harddrive", "cdrom",
                          "removabledrive", "unknowndrive", "harddrive", "netdrive"};
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(view_.At(view_.TopLevel()[i]).text, texts[i]);
    EXPECT_EQ(view_.At(view_.TopLevel()[i]).image, images[i]) << texts[i];
  }
  EXPECT_EQ(view_.At("C:").children,
            (Strings{"C:\\Windows", "C:\\Program Files", "C:\\Users", "C:\\Empty"}));
  EXPECT_EQ(view_.At("C:\\Windows").text, "Windows");
  EXPECT_EQ(view_.At("C:\\Windows").image, "closedfolder");
  EXPECT_TRUE(view_.At("C:\\Windows").children.empty());  // one level, no deeper
  EXPECT_FALSE(view_.Contains("C:\\"));
  EXPECT_EQ(view_.At("x:").children, (Strings{"x:\\data"}));
  EXPECT_TRUE(view_.At("A:").children.empty());
  EXPECT_TRUE(view_.At("D:").children.empty());
  EXPECT_EQ(path_box_.writes_, 0);
}

TEST_F(TreeTest, RootThatCannotBeListedLeavesItsDriveBareAndTheRestLoads) {
  machine_.FailSubFolders("C:\\", {70, "Permission denied"});
  // The stick was pulled between the readiness test and the listing.
  machine_.FailSubFolders("E:\\", {71, "Disk not ready"});
  machine_.AddDrive("C", fs::kDriveRemovable, true);  // a second drive under a key in use

  EXPECT_NO_THROW(tree_.Form_Load());

  EXPECT_EQ(view_.TopLevel().size(), 8u);
  EXPECT_EQ(view_.At("C:").image, "harddrive");
  EXPECT_TRUE(view_.At("C:").children.empty());
  EXPECT_TRUE(view_.At("E:").children.empty());
  EXPECT_EQ(view_.At("Z:").children, (Strings{"Z:\\Shared"}));
  EXPECT_TRUE(reporter_.reports_.empty());
}

TEST(DriveImageKey, OnlyARemovableDriveLetteredExactlyAOrBIsAFloppy) {
  using tree::DriveImageKey;
  EXPECT_EQ(DriveImageKey(fs::kDriveRemovable, "B"), "floppydrive");
  EXPECT_EQ(DriveImageKey(fs::kDriveRemovable, "a"), "removabledrive");
  EXPECT_EQ(DriveImageKey(fs::kDriveFixed, "A"), "harddrive");
  EXPECT_EQ(DriveImageKey(fs::kDriveCdRom, "B"), "cdrom");
  EXPECT_EQ(DriveImageKey(-1, "C"), "unknowndrive");
}

}  // namespace
}  // namespace lumaveil::testing
