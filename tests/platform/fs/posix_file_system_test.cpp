#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "common/run_time_error.h"
#include "platform/fs/posix_file_system.h"

namespace lumaveil::fs {
namespace {

namespace stdfs = std::filesystem;

const std::string kSys = std::string(LUMAVEIL_TEST_DATA) + "/sys";

std::string Escaped(const std::string& path) {
  std::string out;
  for (char c : path) {
    out += c == ' ' ? std::string("\\040") : c == '\\' ? std::string("\\134") : std::string(1, c);
  }
  return out;
}

// "76 Path not found" for the error a call throws, "" when it does not throw.
std::string ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const RunTimeError& e) {
    return std::to_string(e.Number()) + " " + e.Description();
  }
  return "";
}

const std::string kNotFound = "76 Path not found";
const std::string kDenied = "70 Permission denied";
const std::string kNotReady = "71 Disk not ready";

std::vector<std::string> Paths(const std::vector<Folder>& folders) {
  std::vector<std::string> out;
  for (const Folder& f : folders) out.push_back(f.Path + "|" + f.Name);
  return out;
}

// The names of a folder as the file system lists them, without "." and "..".
std::vector<std::string> ListingOrder(const stdfs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : stdfs::directory_iterator(folder)) {
    names.push_back(entry.path().filename());
  }
  return names;
}

std::size_t OpenDescriptors() {
  return static_cast<std::size_t>(std::distance(stdfs::directory_iterator("/proc/self/fd"),
                                                stdfs::directory_iterator()));
}

// D: is a temporary folder (its name has a blank, as mount points may), E: a mount point that
// has vanished, F: and G: the fixture's two optical drives with nothing mounted.
class PosixFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (stdfs::temp_directory_path() / "lumaveil fs XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    stdfs::permissions(root_, stdfs::perms::owner_all | stdfs::perms::group_exec |
                                  stdfs::perms::others_exec | stdfs::perms::others_read);
    fs_ = std::make_unique<PosixFileSystem>(
        "1 0 8:2 / / rw - ext4 /dev/sda2 rw\n"
        "2 1 0:90 / " + Escaped(root_.string()) + " rw - nfs srv:/d rw\n"
        "3 1 0:91 / " + Escaped((root_ / "gone").string()) + " rw - nfs srv:/e rw\n",
        kSys);
  }
  void TearDown() override {
    std::error_code ec;
    for (const auto& entry : stdfs::recursive_directory_iterator(root_, ec)) {
      stdfs::permissions(entry.path(), stdfs::perms::owner_all, stdfs::perm_options::add, ec);
    }
    stdfs::remove_all(root_, ec);
  }

  void MakeFolders(std::initializer_list<const char*> names) {
    for (const char* name : names) stdfs::create_directories(root_ / name);
  }
  void MakeFile(const stdfs::path& relative) { std::ofstream(root_ / relative) << "x"; }

  stdfs::path root_;
  std::unique_ptr<PosixFileSystem> fs_;
};

TEST_F(PosixFileSystemTest, GetFolderGivesTheTreesPathAndName) {
  MakeFolders({"Sub", "Sub/Inner", "Other"});
  auto folder = [&](const std::string& path) {
    const Folder f = fs_->GetFolder(path);
    return f.Path + "|" + f.Name;
  };
  EXPECT_EQ(folder("D:"), "D:\\|");
  EXPECT_EQ(folder("d:\\"), "D:\\|");
  EXPECT_EQ(folder("D:\\Sub\\"), "D:\\Sub|Sub");
  EXPECT_EQ(folder("D:\\Sub\\Inner"), "D:\\Sub\\Inner|Inner");
  EXPECT_EQ(folder("D:/Sub/../Other/."), "D:\\Other|Other");
}

TEST_F(PosixFileSystemTest, FailuresCarryTheirNumbers) {
  MakeFolders({"Sub"});
  MakeFile("file.txt");
  auto get = [&](const std::string& path) { return ErrorOf([&] { fs_->GetFolder(path); }); };
  EXPECT_EQ(get("D:\\missing"), kNotFound);
  EXPECT_EQ(get("D:\\missing\\deeper"), kNotFound);
  EXPECT_EQ(get("D:\\file.txt"), kNotFound);
  EXPECT_EQ(get("D:\\file.txt\\x"), kNotFound);
  EXPECT_EQ(get("Q:\\"), kNotFound);  // no such drive
  EXPECT_EQ(get("/tmp"), kNotFound);  // not in drive form
  EXPECT_EQ(get("D:Sub"), kNotFound);
  EXPECT_EQ(get("E:\\"), kNotReady);  // mount point gone
  EXPECT_EQ(get("E:\\Sub"), kNotReady);
  EXPECT_EQ(get("F:\\"), kNotReady);  // optical drive without a disc
  EXPECT_EQ(ErrorOf([&] { fs_->SubFolders({"F:\\", ""}); }), kNotReady);
  EXPECT_EQ(ErrorOf([&] { fs_->Files({"E:\\", ""}); }), kNotReady);
  EXPECT_EQ(ErrorOf([&] { fs_->Files({"D:\\missing", "missing"}); }), kNotFound);
}

TEST_F(PosixFileSystemTest, ADriveWhoseMountPointGoesAwayBecomesNotReady) {
  MakeFolders({"gone/Sub"});
  EXPECT_TRUE(fs_->Drives()[2].IsReady);
  EXPECT_EQ(fs_->GetFolder("E:\\Sub").Path, "E:\\Sub");
  stdfs::remove_all(root_ / "gone");
  EXPECT_FALSE(fs_->Drives()[2].IsReady);
  EXPECT_EQ(ErrorOf([&] { fs_->GetFolder("E:\\Sub"); }), kNotReady);
  EXPECT_EQ(ErrorOf([&] { fs_->SubFolders({"E:\\Sub", "Sub"}); }), kNotReady);
}

TEST_F(PosixFileSystemTest, ListingsSplitFoldersFromEverythingElseInListingOrder) {
  MakeFolders({"alpha", ".hidden", "beta/inner", "a\\b", "bad\xFF"});
  MakeFile("one.txt");
  MakeFile(".dotfile");
  MakeFile("c\\d.txt");
  MakeFile("bad\xFE.txt");
  stdfs::create_directory_symlink(root_ / "alpha", root_ / "link to folder");
  stdfs::create_symlink(root_ / "one.txt", root_ / "link to file");
  stdfs::create_symlink(root_ / "nowhere", root_ / "dangling");
  ASSERT_EQ(::mkfifo((root_ / "pipe").c_str(), 0600), 0);

  const std::vector<std::string> folderNames = {"alpha", ".hidden", "beta"};
  const std::vector<std::string> fileNames = {"one.txt", ".dotfile", "link to folder",
                                              "link to file", "dangling", "pipe"};
  std::vector<std::string> expectedFolders, expectedFiles;
  for (const std::string& name : ListingOrder(root_)) {
    if (std::count(folderNames.begin(), folderNames.end(), name)) {
      expectedFolders.push_back("D:\\" + name + "|" + name);
    }
    if (std::count(fileNames.begin(), fileNames.end(), name)) expectedFiles.push_back(name);
  }
  const Folder drive = fs_->GetFolder("D:\\");
  EXPECT_EQ(Paths(fs_->SubFolders(drive)), expectedFolders);
  EXPECT_EQ(fs_->Files(drive), expectedFiles);

  EXPECT_EQ(Paths(fs_->SubFolders(fs_->GetFolder("D:\\beta"))),
            std::vector<std::string>{"D:\\beta\\inner|inner"});
  EXPECT_TRUE(fs_->Files(fs_->GetFolder("D:\\beta\\inner")).empty());
}

TEST_F(PosixFileSystemTest, AFolderRemovedAfterItWasFoundIsNotFound) {
  MakeFolders({"Sub"});
  const Folder sub = fs_->GetFolder("D:\\Sub");
  stdfs::remove(root_ / "Sub");
  EXPECT_EQ(ErrorOf([&] { fs_->SubFolders(sub); }), kNotFound);
  EXPECT_EQ(ErrorOf([&] { fs_->Files(sub); }), kNotFound);
}

// Root reads any folder, so the unreadable case runs in a child that has given up root.
int RunUnprivileged(const std::function<bool()>& check) {
  if (::geteuid() != 0) return check() ? 0 : 1;
  const pid_t child = ::fork();
  if (child == 0) {
    const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
    ::_exit(!dropped ? 77 : check() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}

TEST_F(PosixFileSystemTest, AnUnreadableFolderIsFoundButNotListed) {
  MakeFolders({"locked/inner", "shut/inner"});
  stdfs::permissions(root_ / "locked", stdfs::perms::none);
  stdfs::permissions(root_ / "shut", stdfs::perms::owner_all);  // no way through for others
  const int result = RunUnprivileged([&] {
    return ErrorOf([&] { fs_->GetFolder("D:\\locked"); }).empty() &&
           ErrorOf([&] { fs_->SubFolders({"D:\\locked", "locked"}); }) == kDenied &&
           ErrorOf([&] { fs_->Files({"D:\\locked", "locked"}); }) == kDenied &&
           ErrorOf([&] { fs_->GetFolder("D:\\locked\\inner"); }) == kDenied &&
           ErrorOf([&] { fs_->GetFolder("D:\\shut\\inner"); }) == kDenied;
  });
  if (result == 77) GTEST_SKIP() << "cannot drop privileges";
  EXPECT_EQ(result, 0);
}

TEST_F(PosixFileSystemTest, OpenDirectoryReachesTheMappedFolder) {
  MakeFolders({"Sub/inner"});
  const std::unique_ptr<Directory> dir = fs_->OpenDirectory("d:\\Sub\\");
  ASSERT_NE(dir, nullptr);
  const std::vector<DirEntry> entries = dir->ListAll();
  EXPECT_TRUE(std::any_of(entries.begin(), entries.end(),
                          [](const DirEntry& e) { return e.name == "inner"; }));
  EXPECT_EQ(fs_->OpenDirectory("D:\\missing"), nullptr);
  EXPECT_EQ(fs_->OpenDirectory("E:\\"), nullptr);
  EXPECT_EQ(fs_->OpenDirectory("F:\\"), nullptr);
  EXPECT_EQ(fs_->OpenDirectory("no drive"), nullptr);
}

TEST_F(PosixFileSystemTest, NoDescriptorIsLeftOpen) {
  MakeFolders({"Sub/inner", "locked"});
  MakeFile("Sub/f.txt");
  const std::size_t before = OpenDescriptors();
  for (int i = 0; i < 50; ++i) {
    fs_->Drives();
    const Folder sub = fs_->GetFolder("D:\\Sub");
    fs_->SubFolders(sub);
    fs_->Files(sub);
    fs_->OpenDirectory("D:\\Sub");
    ErrorOf([&] { fs_->GetFolder("D:\\missing"); });
    ErrorOf([&] { fs_->SubFolders({"D:\\missing", "missing"}); });
    ErrorOf([&] { fs_->Files({"E:\\", ""}); });
  }
  EXPECT_EQ(OpenDescriptors(), before);
}

}  // namespace
}  // namespace lumaveil::fs
