#include <gtest/gtest.h>

#include "tree/error_reporter.h"
#include "tree_fixture.h"

namespace lumaveil::testing {
namespace {

class ClickTest : public TreeTest {
 protected:
  ClickTest() {
    tree_.Form_Load();
    count_ = view_.Count();
    path_box_.text_ = "C:\\Users";
  }
  void ExpectTreeAndPathBoxUntouched() {
    EXPECT_EQ(view_.Count(), count_);
    EXPECT_EQ(path_box_.text_, "C:\\Users");
    EXPECT_EQ(path_box_.writes_, 0);
    EXPECT_EQ(view_.Image("C:\\Windows"), "closedfolder");
  }
  std::size_t count_ = 0;
};

TEST_F(ClickTest, ReadableFolderShowsNothingAndChangesNothing) {
  tree_.tvFolders_NodeClick("C:\\Windows");
  tree_.tvFolders_NodeClick("C:\\Empty");  // no expand button: clicking cannot target it
  tree_.tvFolders_NodeClick("C:");

  EXPECT_TRUE(reporter_.reports_.empty());
  EXPECT_EQ(machine_.Opened().back(), "C:\\");
  ExpectTreeAndPathBoxUntouched();
}

TEST_F(ClickTest, EmptyCdRomDriveReportsTheFailure) {
  tree_.tvFolders_NodeClick("D:");

  ASSERT_EQ(reporter_.reports_.size(), 1u);
  EXPECT_EQ(reporter_.reports_[0], std::make_pair(71, std::string("Disk not ready")));
  EXPECT_EQ(tree::ErrorTitle(reporter_.reports_[0].first), "Error Number: 71");
  ExpectTreeAndPathBoxUntouched();
}

TEST_F(ClickTest, UnreadableFileListAndDeletedFolderReportTheirOwnFailures) {
  machine_.FailFiles("C:\\Windows", {70, "Permission denied"});
  machine_.DeleteFolder("C:\\Program Files");

  tree_.tvFolders_NodeClick("C:\\Windows");
  tree_.tvFolders_NodeClick("C:\\Program Files");

  ASSERT_EQ(reporter_.reports_.size(), 2u);
  EXPECT_EQ(reporter_.reports_[0], std::make_pair(70, std::string("Permission denied")));
  EXPECT_EQ(reporter_.reports_[1], std::make_pair(76, std::string("Path not found")));
  EXPECT_EQ(tree::ErrorTitle(76), "Error Number: 76");
  ExpectTreeAndPathBoxUntouched();
}

}  // namespace
}  // namespace lumaveil::testing
