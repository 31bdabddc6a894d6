// NTFS through ntfs-3g over FUSE: a fresh image made with mkntfs and mounted for this suite,
// unmounted in the suite's tear-down whether its tests passed or not.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "platform/fs/mountinfo.h"
#include "platform/fs/posix_directory.h"
#include "platform/fs/posix_fs_type.h"
#include "posix_fs_test_support.h"

namespace lumaveil::fs {
namespace {

using testing::ScratchFolder;
using testing::WriteFile;

std::string FindTool(const std::string& name) {
  std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
  std::istringstream dirs(path + ":/usr/sbin:/sbin:/usr/bin:/bin");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    std::string candidate = dir + "/" + name;
    if (!dir.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return "";
}

// Runs a program with its output discarded; true when it exits with 0.
bool RunQuietly(const std::vector<std::string>& args) {
  pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::optional<std::uint32_t> RawAttrib(const std::string& path) {
  std::uint32_t value = 0;
  if (lgetxattr(path.c_str(), "system.ntfs_attrib", &value, sizeof value) != sizeof value) {
    return std::nullopt;
  }
  return value;
}

bool SetRawAttrib(const std::string& path, std::uint32_t value) {
  return lsetxattr(path.c_str(), "system.ntfs_attrib", &value, sizeof value, 0) == 0;
}

class Ntfs3gTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string mkntfs = FindTool("mkntfs");
    const std::string ntfs3g = FindTool("ntfs-3g");
    if (mkntfs.empty() || ntfs3g.empty()) {
      skipReason_ = "mkntfs or ntfs-3g is not installed";
      return;
    }
    scratch_ = new ScratchFolder();
    const std::string image = *scratch_ / "ntfs.img";
    mountPoint_ = *scratch_ / "mnt";
    if (!WriteFile(image, "") || truncate(image.c_str(), 16 << 20) != 0 ||
        !RunQuietly({mkntfs, "-F", "-f", "-q", "-L", "lumaveil", image}) ||
        mkdir(mountPoint_.c_str(), 0755) != 0 || !RunQuietly({ntfs3g, image, mountPoint_})) {
      setupFailure_ = "cannot make or mount an NTFS image with ntfs-3g";
      return;
    }
    mounted_ = true;
  }

  static void TearDownTestSuite() {
    if (mounted_) {
      if (umount(mountPoint_.c_str()) != 0) {
        RunQuietly({FindTool("fusermount"), "-u", "-z", mountPoint_});
      }
    }
    mounted_ = false;
    delete scratch_;
    scratch_ = nullptr;
  }

  void SetUp() override {
    if (!skipReason_.empty()) GTEST_SKIP() << skipReason_;
    // The tools are there, so this must work: failing here is a failure, not a skip.
    ASSERT_TRUE(mounted_) << setupFailure_;
    static int serial = 0;
    folderName_ = "case" + std::to_string(++serial);
    ASSERT_EQ(mkdir(Path("").c_str(), 0755), 0);
    dir_ = OpenNativeDirectory(Path(""));
    ASSERT_NE(dir_, nullptr);
  }

  std::string Path(const std::string& name) const {
    return mountPoint_ + "/" + folderName_ + (name.empty() ? "" : "/" + name);
  }

  static inline std::string skipReason_;
  static inline std::string setupFailure_;
  static inline ScratchFolder* scratch_ = nullptr;
  static inline std::string mountPoint_;
  static inline bool mounted_ = false;
  std::string folderName_;
  std::unique_ptr<Directory> dir_;
};

TEST_F(Ntfs3gTest, FoundByProbingTheFuseMount) {
  ASSERT_TRUE(WriteFile(Path("file"), "data"));
  std::string type;
  struct stat st {};
  ASSERT_EQ(stat(Path("file").c_str(), &st), 0);
  for (const MountEntry& mount : ParseMountInfo(ReadMountInfo())) {
    if (makedev(mount.devMajor, mount.devMinor) == st.st_dev) type = mount.fsType;
  }
  EXPECT_TRUE(type == "fuse" || type == "fuseblk" || type.starts_with("fuse.")) << type;
  auto entry = OpenEntry(AT_FDCWD, Path("file"));
  ASSERT_TRUE(entry);
  MechanismCache cache;
  EXPECT_EQ(cache.For(*entry), AttributeMechanism::kNtfsXattr);
}

TEST_F(Ntfs3gTest, EveryMaskRoundTripsOnFilesAndFolders) {
  // Not empty: ntfs-3g shows an empty file with System but not Hidden as a FIFO.
  ASSERT_TRUE(WriteFile(Path("file"), "data"));
  ASSERT_EQ(mkdir(Path("folder").c_str(), 0755), 0);
  EXPECT_EQ(dir_->GetAttributes("file"), attr::kArchive);
  for (std::uint32_t mask = 0; mask <= 0x27; ++mask) {
    const std::uint32_t settable = mask & attr::kSettable;
    ASSERT_TRUE(dir_->SetAttributes("file", mask)) << mask;
    ASSERT_TRUE(dir_->SetAttributes("folder", mask)) << mask;
    EXPECT_EQ(dir_->GetAttributes("file"), settable == 0 ? attr::kNormal : settable) << mask;
    EXPECT_EQ(dir_->GetAttributes("folder"), settable | attr::kDirectory) << mask;
    EXPECT_EQ(RawAttrib(Path("file")), settable == 0 ? attr::kNormal : settable) << mask;
  }
  ASSERT_TRUE(dir_->SetAttributes("file", 0x3127 | 0x80));
  EXPECT_EQ(dir_->GetAttributes("file"), 0x3127u);
}

TEST_F(Ntfs3gTest, CompressedFolderStaysCompressed) {
  ASSERT_EQ(mkdir(Path("folder").c_str(), 0755), 0);
  ASSERT_TRUE(SetRawAttrib(Path("folder"), 0x830));
  ASSERT_EQ(RawAttrib(Path("folder")), 0x830u);
  ASSERT_TRUE(dir_->SetAttributes("folder", attr::kHidden));
  EXPECT_EQ(RawAttrib(Path("folder")), 0x812u);
  EXPECT_EQ(dir_->GetAttributes("folder"), 0x812u);
  ASSERT_TRUE(dir_->SetAttributes("folder", 0));
  EXPECT_EQ(dir_->GetAttributes("folder"), 0x810u);
}

TEST_F(Ntfs3gTest, LinksAndFifosKeepTheirTypeEncoding) {
  ASSERT_TRUE(WriteFile(Path("file"), "data"));
  ASSERT_EQ(symlink("file", Path("link").c_str()), 0);
  ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0644), 0);
  const auto linkRaw = RawAttrib(Path("link"));
  const auto fifoRaw = RawAttrib(Path("fifo"));
  ASSERT_TRUE(linkRaw && fifoRaw);
  ASSERT_TRUE(*linkRaw & attr::kSystem) << "ntfs-3g marks its links with System";

  // Clearing System would turn them into plain files.
  EXPECT_FALSE(dir_->SetAttributes("link", 0));
  EXPECT_FALSE(dir_->SetAttributes("fifo", 0));
  EXPECT_EQ(RawAttrib(Path("link")), linkRaw);
  EXPECT_EQ(RawAttrib(Path("fifo")), fifoRaw);
  struct stat st {};
  ASSERT_EQ(lstat(Path("link").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  ASSERT_EQ(lstat(Path("fifo").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(RawAttrib(Path("file")), attr::kArchive) << "the link's target is not touched";
  EXPECT_EQ(dir_->GetAttributes("link"), linkRaw);
}

}  // namespace
}  // namespace lumaveil::fs
