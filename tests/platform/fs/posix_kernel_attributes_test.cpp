// The kernel's own vfat, exFAT and ntfs3 drivers, run inside the test VM (tests/vmtest), which
// mounts fresh images and names their mount points in VMTEST_MOUNTS. Elsewhere these skip.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>

#include "platform/fs/mountinfo.h"
#include "platform/fs/posix_directory.h"
#include "platform/fs/posix_fs_type.h"
#include "posix_fs_test_support.h"

namespace lumaveil::fs {
namespace {

using testing::AttributesOf;
using testing::SetAttributes;
using testing::CanOpenForWriting;
using testing::InUnprivilegedChild;
using testing::ScratchFolder;
using testing::WriteFile;

struct KernelMount {
  std::string path;
  std::string fsType;
};

std::vector<KernelMount> Mounts() {
  std::vector<KernelMount> mounts;
  const char* list = std::getenv("VMTEST_MOUNTS");
  if (!list) return mounts;
  const auto table = ParseMountInfo(ReadMountInfo());
  std::istringstream words(list);
  std::string path;
  while (words >> path) {
    std::string type;
    for (const MountEntry& entry : table) {
      if (entry.mountPoint == path) type = entry.fsType;
    }
    mounts.push_back({path, type});
  }
  return mounts;
}

// The cached pages go, so what is read back comes from the disk.
void DropCaches() {
  sync();
  if (std::FILE* f = std::fopen("/proc/sys/vm/drop_caches", "w")) {
    std::fputs("3", f);
    std::fclose(f);
  }
}

std::optional<std::uint32_t> RawAttributes(const std::string& path, const std::string& fsType) {
  if (fsType == "ntfs3") return testing::RawNtfsAttrib(path);
  std::uint32_t value = 0;
  int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  int rc = ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &value);
  close(fd);
  if (rc != 0) return std::nullopt;
  return value;
}

// What the driver keeps of a mask: exFAT drops Read-Only on folders.
std::uint32_t ExpectedFolder(const std::string& fsType, std::uint32_t settable) {
  if (fsType == "exfat") settable &= ~attr::kReadOnly;
  return settable | attr::kDirectory;
}

// Each check runs once per mounted driver, in a fresh folder there.
using MountCheck = std::function<void(const KernelMount&, const ScratchFolder&, Directory&)>;

class KernelAttributesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("VMTEST_MOUNTS")) GTEST_SKIP() << "needs run-in-vm";
    mounts_ = Mounts();
    ASSERT_FALSE(mounts_.empty());
  }

  void OnEachMount(const MountCheck& check) {
    for (const KernelMount& mount : mounts_) {
      SCOPED_TRACE(mount.path);
      ASSERT_FALSE(mount.fsType.empty()) << "not in the mount table";
      ScratchFolder folder(mount.path);
      auto dir = OpenNativeDirectory(folder.path());
      ASSERT_NE(dir, nullptr);
      check(mount, folder, *dir);
    }
  }

  std::vector<KernelMount> mounts_;
};

TEST_F(KernelAttributesTest, EveryMaskRoundTripsThroughTheDisk) {
  OnEachMount([](const KernelMount& mount, const ScratchFolder& folder, Directory& dir) {
    ASSERT_TRUE(WriteFile(folder / "probe", "x"));
    auto entry = OpenEntry(AT_FDCWD, folder / "probe");
    ASSERT_TRUE(entry);
    EXPECT_EQ(MechanismCache().For(*entry), mount.fsType == "ntfs3"
                                                ? AttributeMechanism::kNtfsXattr
                                                : AttributeMechanism::kFatIoctl);
    // exFAT lets only CAP_LINUX_IMMUTABLE touch System (run-in-vm --user has it not): such a
    // call must fail and leave the entry as it was: a new file has Archive, a new folder nothing.
    const bool systemLocked = mount.fsType == "exfat" && geteuid() != 0;
    auto refused = [&](std::uint32_t mask) { return systemLocked && (mask & attr::kSystem); };
    char name[16];
    for (std::uint32_t mask = 0; mask <= 0x27; ++mask) {
      std::snprintf(name, sizeof name, "f%02x", mask);
      ASSERT_TRUE(WriteFile(folder / name, "data"));
      ASSERT_NE(SetAttributes(dir, name, mask), refused(mask)) << name << ": " << strerror(errno);
      std::snprintf(name, sizeof name, "d%02x", mask);
      ASSERT_EQ(mkdir((folder / name).c_str(), 0755), 0);
      ASSERT_NE(SetAttributes(dir, name, mask), refused(mask)) << name << ": " << strerror(errno);
    }
    DropCaches();
    auto fresh = OpenNativeDirectory(folder.path());
    ASSERT_NE(fresh, nullptr);
    for (std::uint32_t mask = 0; mask <= 0x27; ++mask) {
      const std::uint32_t settable = refused(mask) ? 0 : mask & attr::kSettable;
      const std::uint32_t fileBits = refused(mask) ? attr::kArchive : settable;
      std::snprintf(name, sizeof name, "f%02x", mask);
      EXPECT_EQ(AttributesOf(*fresh, name), fileBits == 0 ? attr::kNormal : fileBits) << name;
      ASSERT_TRUE(SetAttributes(*fresh, name, 0)) << name;
      EXPECT_EQ(AttributesOf(*fresh, name), attr::kNormal) << name;
      std::snprintf(name, sizeof name, "d%02x", mask);
      EXPECT_EQ(AttributesOf(*fresh, name), ExpectedFolder(mount.fsType, settable)) << name;
      ASSERT_TRUE(SetAttributes(*fresh, name, 0)) << name;
      EXPECT_EQ(AttributesOf(*fresh, name), attr::kDirectory) << name;
    }
  });
}

TEST_F(KernelAttributesTest, BitsThatCannotBeSetAreKept) {
  OnEachMount([](const KernelMount& mount, const ScratchFolder& folder, Directory& dir) {
    ASSERT_EQ(mkdir((folder / "sub").c_str(), 0755), 0);
    const auto before = RawAttributes(folder / "sub", mount.fsType);
    ASSERT_TRUE(before);
    // ntfs3's index flag, or the FAT directory bit.
    const std::uint32_t kept = *before & ~(attr::kSettable | attr::kNormal);
    ASSERT_NE(kept, 0u);
    ASSERT_TRUE(SetAttributes(dir, "sub", attr::kHidden | attr::kArchive));
    EXPECT_EQ(RawAttributes(folder / "sub", mount.fsType), kept | attr::kHidden | attr::kArchive);
    ASSERT_TRUE(SetAttributes(dir, "sub", ~attr::kSystem));
    EXPECT_EQ(*RawAttributes(folder / "sub", mount.fsType) & ~attr::kSettable, kept);
  });
}

TEST_F(KernelAttributesTest, ReadOnlyBlocksWritesUntilCleared) {
  OnEachMount([](const KernelMount&, const ScratchFolder& folder, Directory& dir) {
    const std::string path = folder / "file";
    ASSERT_TRUE(WriteFile(path, "data"));
    ASSERT_TRUE(InUnprivilegedChild([&] { return CanOpenForWriting(path); }));
    ASSERT_TRUE(SetAttributes(dir, "file", attr::kReadOnly | attr::kArchive));
    EXPECT_FALSE(InUnprivilegedChild([&] { return CanOpenForWriting(path); }));
    ASSERT_TRUE(SetAttributes(dir, "file", attr::kArchive));
    EXPECT_TRUE(InUnprivilegedChild([&] { return CanOpenForWriting(path); }));
    EXPECT_EQ(AttributesOf(dir, "file"), attr::kArchive);
  });
}

// Each driver decides which names and entry types it stores; FAT and exFAT have no links or
// FIFOs, ntfs3 has both.
TEST_F(KernelAttributesTest, OddNamesLinksAndFifosWhereTheDriverHasThem) {
  OnEachMount([](const KernelMount& mount, const ScratchFolder& folder, Directory& dir) {
    for (const NativeName& name : {NativeName("bad \xff name"), NativeName("back\\slash")}) {
      if (!WriteFile(folder / name, "x")) {
        std::cout << mount.fsType << " does not store the name " << DisplayText(name) << "\n";
        continue;
      }
      EXPECT_TRUE(SetAttributes(dir, name, attr::kHidden)) << name;
      EXPECT_EQ(AttributesOf(dir, name), attr::kHidden) << name;
    }

    ASSERT_TRUE(WriteFile(folder / "target", "x"));
    const auto targetBefore = AttributesOf(dir, "target");
    if (symlink("target", (folder / "link").c_str()) != 0) {
      std::cout << mount.fsType << " has no symbolic links\n";
    } else {
      EXPECT_FALSE(SetAttributes(dir, "link", attr::kReadOnly | attr::kHidden));
      struct stat st {};
      ASSERT_EQ(lstat((folder / "link").c_str(), &st), 0);
      EXPECT_TRUE(S_ISLNK(st.st_mode));
    }
    if (mkfifo((folder / "fifo").c_str(), 0644) != 0) {
      std::cout << mount.fsType << " has no FIFOs\n";
    } else {
      EXPECT_FALSE(SetAttributes(dir, "fifo", attr::kReadOnly | attr::kHidden));
    }
    EXPECT_EQ(AttributesOf(dir, "target"), targetBefore);
  });
}

}  // namespace
}  // namespace lumaveil::fs
