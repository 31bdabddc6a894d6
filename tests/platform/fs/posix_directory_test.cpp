#include "platform/fs/posix_directory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>

#include "posix_fs_test_support.h"

namespace lumaveil::fs {
namespace {

using testing::AttributesOf;
using testing::SetAttributes;
using testing::CountOpenFds;
using testing::InUnprivilegedChild;
using testing::ScratchFolder;
using testing::WriteFile;

std::map<NativeName, EntryKind> AsMap(const std::vector<DirEntry>& entries) {
  std::map<NativeName, EntryKind> map;
  for (const DirEntry& entry : entries) map[entry.name] = entry.kind;
  return map;
}

class PosixDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(root_.path().empty());
    ASSERT_EQ(mkdir((root_ / "folder").c_str(), 0755), 0);
    ASSERT_EQ(mkdir((root_ / ".hidden folder").c_str(), 0755), 0);
    ASSERT_TRUE(WriteFile(root_ / "file.txt", "data"));
    ASSERT_TRUE(WriteFile(root_ / ".dotfile", ""));
    ASSERT_EQ(symlink("folder", (root_ / "link to folder").c_str()), 0);
    ASSERT_EQ(mkfifo((root_ / "fifo").c_str(), 0644), 0);
  }

  ScratchFolder root_;
};

TEST_F(PosixDirectoryTest, ListAllHasEveryEntryWithDotsAndKinds) {
  auto dir = OpenNativeDirectory(root_.path());
  ASSERT_NE(dir, nullptr);
  auto all = dir->ListAll();
  EXPECT_EQ(all.size(), 8u);
  std::map<NativeName, EntryKind> expected = {
      {".", EntryKind::Folder},          {"..", EntryKind::Folder},
      {"folder", EntryKind::Folder},     {".hidden folder", EntryKind::Folder},
      {"file.txt", EntryKind::File},     {".dotfile", EntryKind::File},
      {"link to folder", EntryKind::Link}, {"fifo", EntryKind::Special}};
  EXPECT_EQ(AsMap(all), expected);
}

TEST_F(PosixDirectoryTest, ListingsRepeatInTheFileSystemsOrder) {
  auto dir = OpenNativeDirectory(root_.path());
  ASSERT_NE(dir, nullptr);
  auto first = dir->ListAll();
  // A second listing starts from the beginning again, in the same order.
  auto second = dir->ListAll();
  std::vector<NativeName> names, namesAgain;
  for (const DirEntry& e : first) names.push_back(e.name);
  for (const DirEntry& e : second) namesAgain.push_back(e.name);
  EXPECT_EQ(namesAgain, names);
}

TEST_F(PosixDirectoryTest, AFolderRenamedIntoAnothersPlaceHasAnotherIdentity) {
  ASSERT_EQ(mkdir((root_ / "other").c_str(), 0755), 0);
  auto dir = OpenNativeDirectory(root_.path());
  ASSERT_NE(dir, nullptr);
  auto first = dir->OpenFolder("folder");
  auto again = dir->OpenFolder("folder");
  ASSERT_TRUE(first && again);
  ASSERT_TRUE(first->Identity().has_value());
  EXPECT_EQ(first->Identity(), again->Identity());
  EXPECT_NE(first->Identity(), dir->Identity());

  ASSERT_EQ(rename((root_ / "folder").c_str(), (root_ / "moved").c_str()), 0);
  ASSERT_EQ(rename((root_ / "other").c_str(), (root_ / "folder").c_str()), 0);
  auto swapped = dir->OpenFolder("folder");
  ASSERT_NE(swapped, nullptr);
  EXPECT_NE(swapped->Identity(), first->Identity());
  EXPECT_EQ(dir->OpenFolder("moved")->Identity(), first->Identity());
}

TEST_F(PosixDirectoryTest, OpenFolderReachesOnlyRealSubFolders) {
  ASSERT_TRUE(WriteFile(root_ / "folder/inner.txt", "x"));
  auto dir = OpenNativeDirectory(root_.path());
  ASSERT_NE(dir, nullptr);
  auto sub = dir->OpenFolder("folder");
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(AsMap(sub->ListAll()).count("inner.txt"), 1u);

  for (const char* refused : {"link to folder", "file.txt", "fifo", "missing", "", ".", "..",
                              "folder/..", "../"}) {
    EXPECT_EQ(dir->OpenFolder(refused), nullptr) << refused;
  }
}

TEST_F(PosixDirectoryTest, OpenNativeDirectoryRefusesWhatCannotBeListed) {
  EXPECT_EQ(OpenNativeDirectory(""), nullptr);
  EXPECT_EQ(OpenNativeDirectory("relative/path"), nullptr);
  EXPECT_EQ(OpenNativeDirectory(root_ / "missing"), nullptr);
  EXPECT_EQ(OpenNativeDirectory(root_ / "file.txt"), nullptr);
  EXPECT_EQ(OpenNativeDirectory(root_ / "fifo"), nullptr);
  EXPECT_EQ(OpenNativeDirectory(std::string(root_.path()) + std::string("\0x", 2)), nullptr);
  // The user chose this path: a link on the way is followed.
  EXPECT_NE(OpenNativeDirectory(root_ / "link to folder"), nullptr);
}

TEST_F(PosixDirectoryTest, NamesAreRawBytes) {
  const NativeName invalidUtf8 = "bad \xff\xfe name";
  const NativeName backslash = "back\\slash";
  ASSERT_TRUE(WriteFile(root_ / invalidUtf8, "x"));
  ASSERT_EQ(mkdir((root_ / backslash).c_str(), 0755), 0);
  ASSERT_TRUE(WriteFile(root_ / (backslash + "/inside"), "x"));
  auto dir = OpenNativeDirectory(root_.path());
  ASSERT_NE(dir, nullptr);
  auto all = AsMap(dir->ListAll());
  EXPECT_EQ(all[invalidUtf8], EntryKind::File);
  EXPECT_EQ(all[backslash], EntryKind::Folder);

  auto sub = dir->OpenFolder(backslash);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(AsMap(sub->ListAll()).count("inside"), 1u);
  EXPECT_TRUE(SetAttributes(*dir, invalidUtf8, attr::kHidden));
  EXPECT_EQ(AttributesOf(*dir, invalidUtf8), attr::kHidden);
}

TEST_F(PosixDirectoryTest, UnreadableFolderIsNotOpened) {
  ASSERT_EQ(mkdir((root_ / "locked").c_str(), 0), 0);
  auto dir = OpenNativeDirectory(root_.path());
  ASSERT_NE(dir, nullptr);
  EXPECT_TRUE(InUnprivilegedChild([&] {
    return dir->OpenFolder("locked") == nullptr &&
           OpenNativeDirectory(root_ / "locked") == nullptr;
  }));
  // It still gets attributes, as Windows sets them on a folder it may not list.
  EXPECT_TRUE(SetAttributes(*dir, "locked", attr::kHidden));
  EXPECT_EQ(AttributesOf(*dir, "locked"), attr::kHidden | attr::kDirectory);
}

TEST_F(PosixDirectoryTest, PathsLongerThanPathMaxWork) {
  const std::string component(200, 'd');
  int fd = open(root_.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  std::string deepPath = root_.path();
  auto dir = OpenNativeDirectory(root_.path());
  ASSERT_NE(dir, nullptr);
  while (deepPath.size() <= 2 * PATH_MAX) {
    ASSERT_EQ(mkdirat(fd, component.c_str(), 0755), 0);
    int next = openat(fd, component.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    close(fd);
    ASSERT_GE(next, 0);
    fd = next;
    deepPath += "/" + component;
    dir = dir->OpenFolder(component);
    ASSERT_NE(dir, nullptr);
  }
  int file = openat(fd, "deep.txt", O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  ASSERT_GE(file, 0);
  close(file);
  close(fd);

  EXPECT_TRUE(SetAttributes(*dir, "deep.txt", attr::kHidden | attr::kSystem));
  auto byPath = OpenNativeDirectory(deepPath);
  ASSERT_NE(byPath, nullptr);
  EXPECT_EQ(AsMap(byPath->ListAll()).count("deep.txt"), 1u);
  EXPECT_EQ(AttributesOf(*byPath, "deep.txt"), attr::kHidden | attr::kSystem);
}

TEST_F(PosixDirectoryTest, NoDescriptorOutlivesItsUse) {
  ASSERT_TRUE(WriteFile(root_ / "folder/inner.txt", "x"));
  const int before = CountOpenFds();
  {
    auto dir = OpenNativeDirectory(root_.path());
    ASSERT_NE(dir, nullptr);
    for (int round = 0; round < 3; ++round) {
      dir->ListAll();
      auto sub = dir->OpenFolder("folder");
      ASSERT_NE(sub, nullptr);
      sub->ListAll();
      SetAttributes(*sub, "inner.txt", attr::kReadOnly | attr::kArchive);
      SetAttributes(*sub, "inner.txt", 0);
      AttributesOf(*sub, "inner.txt");
      dir->OpenFolder("link to folder");
      dir->OpenFolder("missing");
      SetAttributes(*dir, "link to folder", 0);
      SetAttributes(*dir, "fifo", 0);
      AttributesOf(*dir, "fifo");
      SetAttributes(*dir, "missing", 0);
      AttributesOf(*dir, "missing");
    }
    EXPECT_EQ(OpenNativeDirectory(root_ / "missing"), nullptr);
  }
  EXPECT_EQ(CountOpenFds(), before);
}

// Between the listing and the calls that use it, a folder is swapped for a link to somewhere
// outside: nothing out there may change.
TEST_F(PosixDirectoryTest, FolderSwappedForLinkChangesNothingOutside) {
  ScratchFolder outside;
  ASSERT_TRUE(WriteFile(outside / "victim.txt", "keep", 0644));
  ASSERT_EQ(mkdir((root_ / "folder/sub").c_str(), 0755), 0);
  ASSERT_TRUE(WriteFile(root_ / "folder/file", "x", 0644));

  auto dir = OpenNativeDirectory(root_.path());
  ASSERT_NE(dir, nullptr);
  auto sub = dir->OpenFolder("folder");
  ASSERT_NE(sub, nullptr);
  ASSERT_EQ(AsMap(dir->ListAll()).at("folder"), EntryKind::Folder);
  auto listed = AsMap(sub->ListAll());
  ASSERT_EQ(listed.at("file"), EntryKind::File);

  // The folder is moved away and a link to the outside takes its name and its entries' names.
  ASSERT_EQ(rename((root_ / "folder").c_str(), (root_ / "moved").c_str()), 0);
  ASSERT_EQ(symlink(outside.path().c_str(), (root_ / "folder").c_str()), 0);
  ASSERT_EQ(unlink((root_ / "moved/file").c_str()), 0);
  ASSERT_EQ(symlink((outside / "victim.txt").c_str(), (root_ / "moved/file").c_str()), 0);

  EXPECT_EQ(dir->OpenFolder("folder"), nullptr);
  EXPECT_FALSE(SetAttributes(*dir, "folder", attr::kReadOnly | attr::kHidden));
  // The open handle still means the moved folder, never the link's target.
  EXPECT_FALSE(SetAttributes(*sub, "file", attr::kReadOnly | attr::kHidden));
  EXPECT_TRUE(SetAttributes(*sub, "sub", attr::kHidden));
  EXPECT_EQ(testing::DosAttribValue(root_ / "moved/sub"), std::string("0x12", 5));

  EXPECT_EQ(testing::ModeOf(outside / "victim.txt"), 0644u);
  EXPECT_EQ(testing::ModeOf(outside.path()), 0700u);
  EXPECT_EQ(testing::DosAttribValue(outside / "victim.txt"), std::nullopt);
  EXPECT_EQ(testing::DosAttribValue(outside.path()), std::nullopt);
}

}  // namespace
}  // namespace lumaveil::fs
