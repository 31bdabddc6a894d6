#include <gtest/gtest.h>

#include "tree_fixture.h"

namespace lumaveil::testing {
namespace {

class ExpandTest : public TreeTest {
 protected:
  ExpandTest() {
    tree_.Form_Load();
    tree_.tvFolders_Expand("C:");
  }
};

TEST_F(ExpandTest, DriveGivesItsRootAndFolderItsPathAndEachFillsTheGrandchildren) {
  EXPECT_EQ(path_box_.text_, "C:\\");
  EXPECT_EQ(view_.Image("C:"), "harddrive");
  EXPECT_EQ(view_.At("C:\\Windows").children,
            (Strings{"C:\\Windows\\System32", "C:\\Windows\\Fonts"}));
  EXPECT_EQ(view_.At("C:\\Users").children,
            (Strings{"C:\\Users\\ana", "C:\\Users\\$Hidden by virus"}));
  EXPECT_FALSE(view_.Contains("C:\\Windows\\System32\\drivers"));

  tree_.tvFolders_Expand("C:\\Windows");
  EXPECT_EQ(path_box_.text_, "C:\\Windows");
  EXPECT_EQ(view_.Image("C:\\Windows"), "openfolder");
  EXPECT_TRUE(view_.Contains("C:\\Windows\\System32\\drivers"));

  path_box_.text_ = "typed";
  tree_.tvFolders_Collapse("C:\\Windows");
  tree_.tvFolders_Collapse("C:");
  EXPECT_EQ(view_.Image("C:\\Windows"), "closedfolder");
  EXPECT_EQ(view_.Image("C:"), "harddrive");
  EXPECT_EQ(path_box_.text_, "typed");
}

TEST_F(ExpandTest, SecondExpansionAddsOnlyFoldersNewUnderExistingNodes) {
  const std::size_t count = view_.Count();
  path_box_.text_ = "elsewhere";
  tree_.tvFolders_Expand("C:");
  EXPECT_EQ(view_.Count(), count);
  EXPECT_EQ(path_box_.text_, "C:\\");

  machine_.AddFolder("C:\\Windows\\Temp\\cab");  // Temp has no node, so cab has no parent
  machine_.AddFolder("C:\\Windows\\System32\\config");
  tree_.tvFolders_Expand("C:\\Windows");
  EXPECT_FALSE(view_.Contains("C:\\Windows\\Temp"));
  EXPECT_FALSE(view_.Contains("C:\\Windows\\Temp\\cab"));
  EXPECT_EQ(view_.At("C:\\Windows\\System32").children,
            (Strings{"C:\\Windows\\System32\\drivers", "C:\\Windows\\System32\\config"}));
}

TEST_F(ExpandTest, FailingStepsAreSkippedSilently) {
  // A deleted folder: its picture opens, the path box and the tree stay.
  machine_.Remove("C:\\Windows");
  const std::size_t count = view_.Count();
  tree_.tvFolders_Expand("C:\\Windows");
  EXPECT_EQ(view_.Image("C:\\Windows"), "openfolder");
  EXPECT_EQ(path_box_.text_, "C:\\");
  EXPECT_EQ(view_.Count(), count);

  // An unreadable child contributes nothing; the children after it still fill.
  machine_.FailSubFolders("C:\\Program Files", {70, "Permission denied"});
  machine_.AddFolder("C:\\Program Files\\Common");
  machine_.AddFolder("C:\\Users\\bob");
  tree_.tvFolders_Expand("C:");
  EXPECT_FALSE(view_.Contains("C:\\Program Files\\Common"));
  EXPECT_TRUE(view_.Contains("C:\\Users\\bob"));

  // A drive gone since start-up.
  machine_.SetReady("Z", false);
  EXPECT_NO_THROW(tree_.tvFolders_Expand("Z:"));
  EXPECT_EQ(path_box_.text_, "C:\\");
  EXPECT_TRUE(view_.At("Z:\\Shared").children.empty());
  EXPECT_TRUE(reporter_.reports_.empty());
}

}  // namespace
}  // namespace lumaveil::testing
