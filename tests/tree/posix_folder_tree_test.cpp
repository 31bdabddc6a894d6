// The tree handlers over the real file-system layer: a scratch folder mounted as drive D:.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "../platform/fs/posix_fs_test_support.h"
#include "memory_tree_view.h"
#include "platform/fs/posix_file_system.h"
#include "tree/folder_tree.h"
#include "tree_fixture.h"

namespace lumaveil::testing {
namespace {

using Strings = std::vector<std::string>;

class PosixTreeTest : public ::testing::Test {
 protected:
  PosixTreeTest() {
    std::filesystem::create_directories(sys_.path() + "/block/fixdata");
    fs::testing::WriteFile(sys_.path() + "/block/fixdata/removable", "0\n");
    for (const char* folder : {"Docs/2024", "Docs/2025", ".config/app", "Hidden by virus/inner",
                               "outside/secret", "Empty"}) {
      std::filesystem::create_directories(data_ / folder);
    }
    std::filesystem::create_directory_symlink(data_ / "outside", data_ / "Docs/link to outside");
    fs::testing::WriteFile(data_ / "Docs/letter.txt", "data");
    // C: is the machine's own root and never ready here, so nothing outside D: is read.
    const std::string mount_info = "1 0 8:1 / / rw - ext4 /dev/fixroot rw\n"
                                   "2 1 8:2 / " + data_.path() + " rw - ext4 /dev/fixdata rw\n";
    machine_ = std::make_unique<fs::PosixFileSystem>(
        mount_info, sys_.path(),
        [](const std::string& native) { return native != "/" && fs::CanReadFolder(native); });
    auto root = machine_->OpenDirectory("D:\\");
    EXPECT_TRUE(root && root->SetAttributes("Hidden by virus", 0x6));  // hidden + system
  }

  static Strings Sorted(Strings s) {
    std::sort(s.begin(), s.end());
    return s;
  }

  fs::testing::ScratchFolder data_;
  fs::testing::ScratchFolder sys_;
  std::unique_ptr<fs::PosixFileSystem> machine_;
  MemoryTreeView view_;
  RecordingPathBox path_box_;
  RecordingReporter reporter_;
};

TEST_F(PosixTreeTest, RealFoldersGiveKeysPathsAndNodesInDriveForm) {
  tree::FolderTree tree(*machine_, view_, path_box_, reporter_);
  tree.Form_Load();

  ASSERT_EQ(view_.TopLevel(), (Strings{"C:", "D:"}));
  EXPECT_TRUE(view_.At("C:").children.empty());
  EXPECT_EQ(Sorted(view_.At("D:").children),
            (Strings{"D:\\.config", "D:\\Docs", "D:\\Empty", "D:\\Hidden by virus", "D:\\outside"}));
  EXPECT_EQ(view_.At("D:\\Hidden by virus").text, "Hidden by virus");

  tree.tvFolders_Expand("D:");
  EXPECT_EQ(path_box_.text_, "D:\\");
  // The link is not a sub-folder: the tree never leads through it.
  EXPECT_EQ(Sorted(view_.At("D:\\Docs").children), (Strings{"D:\\Docs\\2024", "D:\\Docs\\2025"}));
  EXPECT_EQ(view_.At("D:\\Hidden by virus").children, (Strings{"D:\\Hidden by virus\\inner"}));

  tree.tvFolders_Expand("D:\\Docs");
  EXPECT_EQ(path_box_.text_, "D:\\Docs");
  EXPECT_EQ(view_.Image("D:\\Docs"), "openfolder");
}

TEST_F(PosixTreeTest, FolderDeletedOnDiskIsSkippedOnExpandAndReportedOnClick) {
  tree::FolderTree tree(*machine_, view_, path_box_, reporter_);
  tree.Form_Load();
  tree.tvFolders_Expand("D:");
  const std::size_t count = view_.Count();
  std::filesystem::remove_all(data_ / "Docs");

  tree.tvFolders_Expand("D:\\Docs");
  tree.tvFolders_NodeClick("D:\\Docs");
  tree.tvFolders_NodeClick("D:\\Empty");

  EXPECT_EQ(path_box_.text_, "D:\\");
  EXPECT_EQ(view_.Count(), count);
  ASSERT_EQ(reporter_.reports_.size(), 1u);
  EXPECT_EQ(reporter_.reports_[0].first, 76);
}

}  // namespace
}  // namespace lumaveil::testing
