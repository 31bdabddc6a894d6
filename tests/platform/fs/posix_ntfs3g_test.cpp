// NTFS through ntfs-3g over FUSE: a fresh image made with mkntfs and mounted for this suite,
// unmounted in the suite's tear-down whether its tests passed or not.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/fs/mountinfo.h"
#include "platform/fs/posix_directory.h"
#include "platform/fs/posix_dos_attributes.h"
#include "platform/fs/posix_fs_type.h"
#include "posix_fs_test_support.h"
#include "posix_ntfs_image.h"

namespace lumaveil::fs {
namespace {

using testing::AttributesOf;
using testing::SetAttributes;
using testing::NtfsImage;
using testing::RawNtfsAttrib;
using testing::ScratchFolder;
using testing::SetAndCheckMask;
using testing::WriteFile;

bool SetRawAttrib(const std::string& path, std::uint32_t value) {
  return lsetxattr(path.c_str(), "system.ntfs_attrib", &value, sizeof value, 0) == 0;
}

// The type the file system shows now. Right after ntfs-3g changed an entry's type the first
// look-up answers EIO; the next one sees the new type.
mode_t TypeOf(const std::string& path) {
  struct stat st {};
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (lstat(path.c_str(), &st) == 0) return st.st_mode & S_IFMT;
    if (errno != EIO) break;
  }
  return 0;
}

// A 64-bit number as ntfs-3g reads it from a device file.
std::string LittleEndian64(std::uint64_t value) {
  std::string bytes;
  for (int i = 0; i < 8; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xff);
  return bytes;
}

class Ntfs3gTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    scratch_ = std::make_unique<ScratchFolder>();
    image_ = std::make_unique<NtfsImage>(scratch_->path(), 16 << 20, "lumaveil");
  }

  static void TearDownTestSuite() {
    image_.reset();  // unmounted before its folder goes
    scratch_.reset();
  }

  void SetUp() override {
    if (image_->ToolsMissing()) GTEST_SKIP() << image_->Problem();
    // The tools are there, so this must work: failing here is a failure, not a skip.
    ASSERT_TRUE(image_->Mounted()) << image_->Problem();
    static int serial = 0;
    folderName_ = "case" + std::to_string(++serial);
    ASSERT_EQ(mkdir(Path("").c_str(), 0755), 0);
    dir_ = OpenNativeDirectory(Path(""));
    ASSERT_NE(dir_, nullptr);
  }

  std::string Path(const std::string& name) const {
    return image_->MountPoint() + "/" + folderName_ + (name.empty() ? "" : "/" + name);
  }

  static inline std::unique_ptr<ScratchFolder> scratch_;
  static inline std::unique_ptr<NtfsImage> image_;
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
  EXPECT_EQ(AttributesOf(*dir_, "file"), attr::kArchive);
  for (std::uint32_t mask = 0; mask <= 0x27; ++mask) {
    ASSERT_NO_FATAL_FAILURE(SetAndCheckMask(*dir_, mask));
    const std::uint32_t settable = mask & attr::kSettable;
    EXPECT_EQ(RawNtfsAttrib(Path("file")), settable == 0 ? attr::kNormal : settable) << mask;
  }
  ASSERT_TRUE(SetAttributes(*dir_, "file", 0x3127 | 0x80));
  EXPECT_EQ(AttributesOf(*dir_, "file"), 0x3127u);
}

TEST_F(Ntfs3gTest, CompressedFolderStaysCompressed) {
  ASSERT_EQ(mkdir(Path("folder").c_str(), 0755), 0);
  ASSERT_TRUE(SetRawAttrib(Path("folder"), 0x830));
  ASSERT_EQ(RawNtfsAttrib(Path("folder")), 0x830u);
  ASSERT_TRUE(SetAttributes(*dir_, "folder", attr::kHidden));
  EXPECT_EQ(RawNtfsAttrib(Path("folder")), 0x812u);
  EXPECT_EQ(AttributesOf(*dir_, "folder"), 0x812u);
  ASSERT_TRUE(SetAttributes(*dir_, "folder", 0));
  EXPECT_EQ(AttributesOf(*dir_, "folder"), 0x810u);
}

TEST_F(Ntfs3gTest, LinksAndFifosKeepTheirTypeEncoding) {
  ASSERT_TRUE(WriteFile(Path("file"), "data"));
  ASSERT_EQ(symlink("file", Path("link").c_str()), 0);
  ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0644), 0);
  const auto linkRaw = RawNtfsAttrib(Path("link"));
  const auto fifoRaw = RawNtfsAttrib(Path("fifo"));
  ASSERT_TRUE(linkRaw && fifoRaw);
  ASSERT_TRUE(*linkRaw & attr::kSystem) << "ntfs-3g marks its links with System";

  // Clearing System would turn them into plain files.
  EXPECT_FALSE(SetAttributes(*dir_, "link", 0));
  EXPECT_FALSE(SetAttributes(*dir_, "fifo", 0));
  EXPECT_EQ(RawNtfsAttrib(Path("link")), linkRaw);
  EXPECT_EQ(RawNtfsAttrib(Path("fifo")), fifoRaw);
  struct stat st {};
  ASSERT_EQ(lstat(Path("link").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  ASSERT_EQ(lstat(Path("fifo").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(RawNtfsAttrib(Path("file")), attr::kArchive) << "the link's target is not touched";
  EXPECT_EQ(dir_->ChangeAttributes("link", {0, std::nullopt}, nullptr).result,
            AttributeChange::Result::kLeftAlone);
  EXPECT_EQ(RawNtfsAttrib(Path("link")), linkRaw);
}

TEST_F(Ntfs3gTest, SystemIsRefusedWhereNtfs3gWouldMakeAFileAnotherType) {
  using namespace std::string_literals;
  constexpr std::uint32_t S = attr::kSystem, H = attr::kHidden;
  struct Case {
    const char* name;
    std::string content;
    std::uint32_t mask;
    bool allowed;
  };
  const Case cases[] = {
      {"empty", "", S, false},                // a FIFO
      {"one", "x", S | attr::kArchive, false},  // a socket
      {"link", "IntxLNK\1"s + "/\0e\0t\0c\0"s, S | H, false},  // a link to /etc
      {"block", "IntxBLK\0"s + LittleEndian64(7) + LittleEndian64(0), S, false},  // loop0
      {"char", "IntxCHR\0"s + LittleEndian64(1) + LittleEndian64(3), S, false},   // /dev/null
      {"hiddenEmpty", "", S | H, true},
      {"two", "xy", S, true},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteFile(Path(c.name), c.content)) << c.name;
    const auto before = RawNtfsAttrib(Path(c.name));
    errno = 0;
    EXPECT_EQ(SetAttributes(*dir_, c.name, c.mask), c.allowed) << c.name;
    EXPECT_EQ(TypeOf(Path(c.name)), static_cast<mode_t>(S_IFREG)) << c.name;
    if (c.allowed) {
      EXPECT_EQ(RawNtfsAttrib(Path(c.name)), c.mask) << c.name;
    } else {
      EXPECT_EQ(errno, kWouldChangeType) << c.name;
      EXPECT_EQ(RawNtfsAttrib(Path(c.name)), before) << c.name;
      // The other bits still change.
      EXPECT_TRUE(SetAttributes(*dir_, c.name, H | attr::kArchive)) << c.name;
      EXPECT_EQ(TypeOf(Path(c.name)), static_cast<mode_t>(S_IFREG)) << c.name;
    }
  }
}

// The pass takes the kernel's copy of an entry's status on ntfs-3g; a file emptied or filled
// through the mount after an earlier look-up must still be judged by its size now.
TEST_F(Ntfs3gTest, ThePassJudgesSystemByTheSizeAFileHasNow) {
  constexpr std::uint32_t S = attr::kSystem, H = attr::kHidden;
  ASSERT_TRUE(WriteFile(Path("emptied"), "xy"));
  ASSERT_TRUE(WriteFile(Path("filled"), ""));
  for (const char* name : {"emptied", "filled"}) {
    EXPECT_EQ(dir_->ChangeAttributes(name, {H, std::nullopt}, nullptr).result,
              AttributeChange::Result::kChanged) << name;
  }
  ASSERT_TRUE(WriteFile(Path("emptied"), ""));
  ASSERT_TRUE(WriteFile(Path("filled"), "xy"));
  const auto before = RawNtfsAttrib(Path("emptied"));  // the write gave it Archive too

  const AttributeChange emptied = dir_->ChangeAttributes("emptied", {S, std::nullopt}, nullptr);
  EXPECT_EQ(emptied.result, AttributeChange::Result::kFailed);
  EXPECT_EQ(emptied.error, kWouldChangeType);
  EXPECT_EQ(TypeOf(Path("emptied")), static_cast<mode_t>(S_IFREG));
  EXPECT_EQ(RawNtfsAttrib(Path("emptied")), before);
  EXPECT_EQ(dir_->ChangeAttributes("filled", {S, std::nullopt}, nullptr).result,
            AttributeChange::Result::kChanged);
  EXPECT_EQ(TypeOf(Path("filled")), static_cast<mode_t>(S_IFREG));
  EXPECT_EQ(RawNtfsAttrib(Path("filled")), S);
}

TEST_F(Ntfs3gTest, AFileShownAsAnotherTypeAfterTheWriteGetsItsBitsBack) {
  // Stored without the check beforehand, System turns the empty file into a FIFO.
  ASSERT_TRUE(WriteFile(Path("empty"), ""));
  auto entry = OpenEntry(AT_FDCWD, Path("empty"));
  ASSERT_TRUE(entry);
  const auto before = RawNtfsAttrib(Path("empty"));
  ASSERT_TRUE(before);
  errno = 0;
  EXPECT_FALSE(SetNtfsAttribKeepingType(*entry, *before, attr::kSystem));
  EXPECT_EQ(errno, kWouldChangeType);
  EXPECT_EQ(TypeOf(Path("empty")), static_cast<mode_t>(S_IFREG));
  EXPECT_EQ(RawNtfsAttrib(Path("empty")), before);
}

}  // namespace
}  // namespace lumaveil::fs
