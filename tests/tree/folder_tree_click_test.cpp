#include <gtest/gtest.h>

#include "tree/error_reporter.h"
#include "tree_fixture.h"

namespace lumaveil::testing {
namespace {

TEST_F(TreeTest, ClickReportsAFolderThatCannotBeReadAndChangesNothing) {
  tree_.Form_Load();
  const std::size_t count = view_.Count();
  machine_.FailFiles("C:\\Windows", {70, "Permission denied"});
  machine_.Remove("C:\\Users");

  for (const char* key : {"C:", "C:\\Empty", "D:", "C:\\Windows", "C:\\Users"}) {
    tree_.tvFolders_NodeClick(key);
  }

  EXPECT_EQ(reporter_.reports_,
            (std::vector<std::pair<int, std::string>>{
                {71, "Disk not ready"}, {70, "Permission denied"}, {76, "Path not found"}}));
  EXPECT_EQ(tree::ErrorTitle(71), "Error Number: 71");
  EXPECT_EQ(view_.Count(), count);
  EXPECT_EQ(view_.Image("C:\\Windows"), "closedfolder");
  EXPECT_EQ(path_box_.writes_, 0);
}

}  // namespace
}  // namespace lumaveil::testing
