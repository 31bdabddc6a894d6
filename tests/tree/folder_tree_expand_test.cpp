#include <gtest/gtest.h>

#include "tree_fixture.h"

namespace lumaveil::testing {
namespace {

using Strings = std::vector<std::string>;

class ExpandTest : public TreeTest {
 protected:
  ExpandTest() { tree_.Form_Load(); }
};

TEST_F(ExpandTest, ExpandingADriveWritesItsRootAndFillsTheGrandchildren) {
  tree_.tvFolders_Expand("C:");

  EXPECT_EQ(path_box_.text_, "C:\\");
  EXPECT_EQ(view_.Image("C:"), "harddrive");
  EXPECT_EQ(view_.At("C:\\Windows").children, (Strings{"C:\\Windows\\System32", "C:\\Windows\\Fonts"}));
  EXPECT_EQ(view_.At("C:\\Program Files").children, (Strings{"C:\\Program Files\\Lumaveil"}));
  EXPECT_EQ(view_.At("C:\\Users").children,
            (Strings{"C:\\Users\\ana", "C:\\Users\\$Hidden by virus"}));
  EXPECT_EQ(view_.At("C:\\Users\\$Hidden by virus").text, "$Hidden by virus");
  EXPECT_EQ(view_.At("C:\\Windows\\Fonts").image, "closedfolder");
  EXPECT_TRUE(view_.At("C:\\Empty").children.empty());
  // One level ahead only.
  EXPECT_FALSE(view_.Contains("C:\\Windows\\System32\\drivers"));
  EXPECT_EQ(machine_.Opened().back(), "C:\\");
}

TEST_F(ExpandTest, ExpandingAFolderWritesItWithoutSeparatorAndSwitchesItsPicture) {
  tree_.tvFolders_Expand("C:");
  tree_.tvFolders_Expand("C:\\Windows");

  EXPECT_EQ(path_box_.text_, "C:\\Windows");
  EXPECT_EQ(machine_.Opened().back(), "C:\\Windows\\");
  EXPECT_EQ(view_.Image("C:\\Windows"), "openfolder");
  EXPECT_EQ(view_.At("C:\\Windows\\System32").children, (Strings{"C:\\Windows\\System32\\drivers"}));

  path_box_.text_ = "typed by the user";
  tree_.tvFolders_Collapse("C:\\Windows");
  EXPECT_EQ(view_.Image("C:\\Windows"), "closedfolder");
  EXPECT_EQ(path_box_.text_, "typed by the user");
  EXPECT_TRUE(view_.Contains("C:\\Windows\\System32\\drivers"));

  tree_.tvFolders_Collapse("C:");
  EXPECT_EQ(view_.Image("C:"), "harddrive");
}

TEST_F(ExpandTest, SecondExpansionAddsNothingAndWritesThePathAgain) {
  tree_.tvFolders_Expand("C:");
  const std::size_t count = view_.Count();
  const Strings windows = view_.At("C:\\Windows").children;
  path_box_.text_ = "elsewhere";

  tree_.tvFolders_Expand("C:");

  EXPECT_EQ(view_.Count(), count);
  EXPECT_EQ(view_.At("C:\\Windows").children, windows);
  EXPECT_EQ(path_box_.text_, "C:\\");
}

TEST_F(ExpandTest, FoldersCreatedLaterShowUpOnlyUnderNodesThatExist) {
  tree_.tvFolders_Expand("C:");
  machine_.AddFolder("C:\\Windows\\Temp");              // new child: has no node
  machine_.AddFolder("C:\\Windows\\Temp\\cab");         // so its own child has no parent node
  machine_.AddFolder("C:\\Windows\\System32\\config");  // under a node that exists

  tree_.tvFolders_Expand("C:\\Windows");

  EXPECT_FALSE(view_.Contains("C:\\Windows\\Temp"));
  EXPECT_FALSE(view_.Contains("C:\\Windows\\Temp\\cab"));
  EXPECT_EQ(view_.At("C:\\Windows\\System32").children,
            (Strings{"C:\\Windows\\System32\\drivers", "C:\\Windows\\System32\\config"}));
  EXPECT_EQ(path_box_.text_, "C:\\Windows");
}

TEST_F(ExpandTest, DeletedFolderOpensItsPictureButKeepsPathBoxAndTree) {
  tree_.tvFolders_Expand("C:");
  machine_.DeleteFolder("C:\\Windows");
  const std::size_t count = view_.Count();

  tree_.tvFolders_Expand("C:\\Windows");

  EXPECT_EQ(view_.Image("C:\\Windows"), "openfolder");
  EXPECT_EQ(path_box_.text_, "C:\\");
  EXPECT_EQ(view_.Count(), count);
  EXPECT_TRUE(view_.Contains("C:\\Windows\\Fonts"));  // nodes are never removed
  EXPECT_TRUE(reporter_.reports_.empty());
}

TEST_F(ExpandTest, UnreadableChildContributesNothingAndTheOthersStillFill) {
  machine_.FailSubFolders("C:\\Program Files", {70, "Permission denied"});

  tree_.tvFolders_Expand("C:");

  EXPECT_TRUE(view_.At("C:\\Program Files").children.empty());
  EXPECT_EQ(view_.At("C:\\Windows").children.size(), 2u);
  EXPECT_EQ(view_.At("C:\\Users").children.size(), 2u);
  EXPECT_TRUE(reporter_.reports_.empty());
}

TEST_F(ExpandTest, UnreadableExpandedFolderStillBecomesTheTargetPath) {
  tree_.tvFolders_Expand("C:");
  machine_.FailSubFolders("C:\\Windows", {70, "Permission denied"});
  const std::size_t count = view_.Count();

  tree_.tvFolders_Expand("C:\\Windows");

  EXPECT_EQ(path_box_.text_, "C:\\Windows");
  EXPECT_EQ(view_.Image("C:\\Windows"), "openfolder");
  EXPECT_EQ(view_.Count(), count);
}

TEST_F(ExpandTest, DriveGoneSinceStartupLeavesEverythingButNothingThrows) {
  machine_.SetReady("Z", false);
  path_box_.text_ = "C:\\";

  EXPECT_NO_THROW(tree_.tvFolders_Expand("Z:"));

  EXPECT_EQ(path_box_.text_, "C:\\");
  EXPECT_EQ(view_.Image("Z:"), "netdrive");
  EXPECT_TRUE(view_.At("Z:\\Shared").children.empty());
}

}  // namespace
}  // namespace lumaveil::testing
