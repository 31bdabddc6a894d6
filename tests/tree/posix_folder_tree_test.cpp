// The tree handlers over the real file-system layer, with a scratch folder mounted as drive D:.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "../platform/fs/posix_fs_test_support.h"
#include "platform/fs/posix_file_system.h"
#include "tree_fixture.h"

namespace lumaveil::testing {
namespace {

using fs::testing::SetAttributes;

Strings Sorted(Strings s) {
  std::sort(s.begin(), s.end());
  return s;
}

TEST(PosixFolderTree, RealFoldersInDriveFormHiddenOnesListedLinksNotFollowed) {
  fs::testing::ScratchFolder data, sys;
  std::filesystem::create_directories(sys.path() + "/block/fixdata");
  fs::testing::WriteFile(sys.path() + "/block/fixdata/removable", "0\n");
  for (const char* folder : {"Docs/2024", ".config/app", "Hidden by virus/inner", "outside/x"}) {
    std::filesystem::create_directories(data / folder);
  }
  std::filesystem::create_directory_symlink(data / "outside", data / "Docs/link");
  // C: is this machine's root and never ready here, so nothing outside D: is read.
  fs::PosixFileSystem machine(
      "1 0 8:1 / / rw - ext4 /dev/fixroot rw\n"
      "2 1 8:2 / " +
          data.path() + " rw - ext4 /dev/fixdata rw\n",
      sys.path(),
      [](const std::string& native) { return native != "/" && fs::CanReadFolder(native); });
  ASSERT_TRUE(SetAttributes(*machine.OpenDirectory("D:\\"), "Hidden by virus", 0x6));
  MemoryTreeView view;
  RecordingPathBox path_box;
  RecordingReporter reporter;
  tree::FolderTree tree(machine, view, path_box, reporter);

  tree.Form_Load();
  tree.tvFolders_Expand("D:");

  ASSERT_EQ(view.TopLevel(), (Strings{"C:", "D:"}));
  EXPECT_EQ(Sorted(view.At("D:").children),
            (Strings{"D:\\.config", "D:\\Docs", "D:\\Hidden by virus", "D:\\outside"}));
  EXPECT_EQ(path_box.text_, "D:\\");
  EXPECT_EQ(view.At("D:\\Docs").children, (Strings{"D:\\Docs\\2024"}));
  EXPECT_EQ(view.At("D:\\Hidden by virus").children, (Strings{"D:\\Hidden by virus\\inner"}));

  tree.tvFolders_Expand("D:\\Docs");
  EXPECT_EQ(path_box.text_, "D:\\Docs");
  std::filesystem::remove_all(data / "Docs");
  tree.tvFolders_NodeClick("D:\\Docs");
  ASSERT_EQ(reporter.reports_.size(), 1u);
  EXPECT_EQ(reporter.reports_[0].first, 76);
}

}  // namespace
}  // namespace lumaveil::testing
