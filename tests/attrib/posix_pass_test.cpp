// The attribute pass on real folders through the POSIX file-system layer: the local disk, an
// NTFS image under ntfs-3g, and (KernelAttributes*, run in the VM) vfat, exFAT and ntfs3.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "attrib/attribute_pass.h"
#include "attrib/journal_format.h"
#include "attrib/journal_store.h"
#include "attrib/journal_undo.h"
#include "silent_undo.h"
#include "platform/fs/mountinfo.h"
#include "platform/fs/posix_directory.h"
#include "platform/fs/posix_file_system.h"
#include "platform/fs/posix_fs_test_support.h"
#include "platform/fs/posix_ntfs_image.h"
#include "recording_host.h"

namespace lumaveil::attrib {
namespace {

using fs::testing::AttributesOf;
using fs::testing::SetAttributes;
using fs::testing::DosAttribValue;
using fs::testing::InUnprivilegedChild;
using fs::testing::NtfsImage;
using fs::testing::ScratchFolder;
using fs::testing::TmpfsMount;
using testing::SilentUndo;
using fs::testing::WriteFile;
using testing::RecordingHost;

constexpr std::uint32_t kDos = 0x27;

// The four DOS bits of `path`, read through the file-system layer without following a link.
std::optional<std::uint32_t> DosBits(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  auto parent = fs::OpenNativeDirectory(slash == 0 ? "/" : path.substr(0, slash));
  if (!parent) return std::nullopt;
  const std::optional<std::uint32_t> bits = AttributesOf(*parent, path.substr(slash + 1));
  if (!bits) return std::nullopt;
  return *bits & kDos;
}

bool SetDosBits(const std::string& path, std::uint32_t mask) {
  const std::size_t slash = path.rfind('/');
  auto parent = fs::OpenNativeDirectory(path.substr(0, slash));
  return parent && SetAttributes(*parent, path.substr(slash + 1), mask);
}

// Makes the folders (names ending in '/'), files and links (name -> target) below `root`.
void Build(const std::string& root, const std::vector<std::string>& entries) {
  for (const std::string& entry : entries) {
    const std::size_t arrow = entry.find(" -> ");
    if (arrow != std::string::npos) {
      ASSERT_EQ(symlink(entry.substr(arrow + 4).c_str(), (root + "/" + entry.substr(0, arrow)).c_str()), 0)
          << entry;
    } else if (entry.back() == '/') {
      ASSERT_EQ(mkdir((root + "/" + entry).c_str(), 0755), 0) << entry;
    } else {
      ASSERT_TRUE(WriteFile(root + "/" + entry, "data")) << entry;
    }
  }
}

// A tmpfs mounted on an existing folder for as long as the object lives.
class TmpfsOn {
 public:
  explicit TmpfsOn(std::string path) : path_(std::move(path)) {
    if (mount("lumaveil-test", path_.c_str(), "tmpfs", 0, "size=1m,mode=0755") != 0) {
      problem_ = std::string("this process may not mount a tmpfs (needs root): ") +
                 std::strerror(errno);
    }
  }
  ~TmpfsOn() {
    if (Mounted()) umount2(path_.c_str(), MNT_DETACH);
  }
  bool Mounted() const { return problem_.empty(); }
  const std::string& Problem() const { return problem_; }

 private:
  std::string path_;
  std::string problem_;
};

class PosixPassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(scratch_.path().empty());
    target_ = scratch_ / "T";
    outside_ = scratch_ / "outside";
    ASSERT_EQ(mkdir(target_.c_str(), 0755), 0);
    ASSERT_EQ(mkdir(outside_.c_str(), 0755), 0);
    ASSERT_TRUE(WriteFile(outside_ + "/secret", "data"));
  }
  // Gives every path the bits, then checks they took, so that a pass's change can be seen.
  void Mark(const std::vector<std::string>& paths, std::uint32_t bits) {
    for (const std::string& path : paths) {
      ASSERT_TRUE(SetDosBits(path, bits)) << path;
      ASSERT_EQ(DosBits(path), bits) << path;
    }
  }
  PassOutcome ScanTarget() {
    return pass_.ScanOpenFolder(fs::OpenNativeDirectory(target_), "X:\\T", count_);
  }

  ScratchFolder scratch_;
  std::string target_;
  std::string outside_;
  std::vector<std::string> log_;
  RecordingHost host_{log_};
  std::unique_ptr<fs::FileSystem> fileSystem_ = fs::CreateFileSystem();
  AttributePass pass_{*fileSystem_, host_};
  std::int32_t count_ = 0;
};

TEST_F(PosixPassTest, EveryEntryBeneathADriveFormTargetGetsTheMask) {
  // The scratch folder as drive D:, as a network share mounted there would be.
  ASSERT_EQ(scratch_.path().find_first_of(" \\\t\n"), std::string::npos) << scratch_.path();
  fs::PosixFileSystem fileSystem("1 0 8:2 / / rw - ext4 /dev/sda2 rw\n"
                                 "2 1 0:90 / " + scratch_.path() + " rw - nfs srv:/d rw\n",
                                 "/nonexistent");
  const std::string driveForm = "D:\\T";
  Build(target_, {"file", ".profile", "..data/", "..data/inner", "sub/", "sub/deeper/",
                  "sub/deeper/last"});
  const std::vector<std::string> all = {target_ + "/file", target_ + "/.profile",
                                        target_ + "/..data", target_ + "/..data/inner",
                                        target_ + "/sub", target_ + "/sub/deeper",
                                        target_ + "/sub/deeper/last"};
  Mark(all, 0x06);
  Mark({target_}, 0x02);
  host_.ticked = {true, true, false, false};

  AttributePass(fileSystem, host_).ScanFolder(driveForm, count_);

  for (const std::string& path : all) EXPECT_EQ(DosBits(path), 0x21u) << path;
  EXPECT_EQ(DosBits(target_), 0x02u) << "the target itself is left alone";
  EXPECT_EQ(count_, 4);
  EXPECT_TRUE(host_.fileNameLabel.starts_with(driveForm + "\\")) << host_.fileNameLabel;
}

TEST_F(PosixPassTest, LinksLeadNowhereOutsideAndLoopsEndTheWalk) {
  Build(target_, {"loop -> .", "parent -> ..", "away -> " + outside_,
                  "secret-link -> " + outside_ + "/secret", "sub/", "sub/back -> ../.."});
  Mark({outside_, outside_ + "/secret", scratch_.path()}, 0x06);

  ScanTarget();

  EXPECT_EQ(DosBits(outside_), 0x06u);
  EXPECT_EQ(DosBits(outside_ + "/secret"), 0x06u);
  EXPECT_EQ(DosBits(scratch_.path()), 0x06u);
  for (const char* label : {"X:\\T\\loop", "X:\\T\\parent", "X:\\T\\away",
                            "X:\\T\\secret-link", "X:\\T\\sub\\back"}) {
    EXPECT_NE(std::find(log_.begin(), log_.end(), "label " + std::string(label)), log_.end())
        << label;
  }
}

TEST_F(PosixPassTest, AFolderSwappedForALinkMidPassDoesNotLeadOutside) {
  Build(target_, {"first", "victim/", "victim/inside"});
  Mark({outside_, outside_ + "/secret"}, 0x06);
  host_.onEvents = [this] {
    if (host_.fileNameLabel != "X:\\T\\first") return;
    host_.onEvents = nullptr;
    ASSERT_EQ(rename((target_ + "/victim").c_str(), (scratch_ / "moved").c_str()), 0);
    ASSERT_EQ(symlink(outside_.c_str(), (target_ + "/victim").c_str()), 0);
  };

  ScanTarget();

  EXPECT_EQ(DosBits(outside_), 0x06u);
  EXPECT_EQ(DosBits(outside_ + "/secret"), 0x06u);
  EXPECT_EQ(count_, 1);
}

TEST_F(PosixPassTest, AFolderReopenedAfterItsHandleWasGivenUpIsNotFollowedOutside) {
  // Outside looks like what the link will stand in for, so reopening through the link by name
  // or path would land on entries that the pass then changes.
  const std::vector<std::string> chain = {"b/", "b/c/", "b/c/d/", "b/c/d/e/", "b/c/d/e/deep"};
  Build(target_, {"a/"});
  Build(target_ + "/a", chain);
  Build(outside_, chain);
  std::vector<std::string> mirror;
  for (const std::string& entry : chain) mirror.push_back(outside_ + "/" + entry);
  for (std::string& path : mirror) {
    if (path.back() == '/') path.pop_back();
  }
  Mark(mirror, 0x06);
  pass_.SetHandleBudget(2);  // a, b, c and d cannot all stay open
  host_.onEvents = [this] {
    if (host_.fileNameLabel != "X:\\T\\a\\b\\c\\d\\e\\deep") return;
    host_.onEvents = nullptr;
    ASSERT_EQ(rename((target_ + "/a").c_str(), (scratch_ / "moved").c_str()), 0);
    ASSERT_EQ(symlink(outside_.c_str(), (target_ + "/a").c_str()), 0);
  };

  ScanTarget();

  for (const std::string& path : mirror) EXPECT_EQ(DosBits(path), 0x06u) << path;
  EXPECT_EQ(DosBits(scratch_ / "moved/b/c/d/e/deep"), 0u) << "its own folder was still open";
}

TEST_F(PosixPassTest, AFolderRenamedIntoAGivenUpLevelsPlaceIsNotWalked) {
  const std::vector<std::string> chain = {"b/", "b/c/", "b/c/d/", "b/c/d/e/", "b/c/d/e/deep"};
  Build(target_, {"a/"});
  Build(target_ + "/a", chain);
  Build(outside_, chain);
  std::vector<std::string> broughtIn;
  for (std::string entry : chain) {
    if (entry.back() == '/') entry.pop_back();
    broughtIn.push_back(target_ + "/a/" + entry);
  }
  Mark({outside_ + "/b", outside_ + "/b/c", outside_ + "/b/c/d", outside_ + "/b/c/d/e",
        outside_ + "/b/c/d/e/deep"},
       0x06);
  pass_.SetHandleBudget(2);  // a, b, c and d cannot all stay open
  host_.onEvents = [this] {
    if (host_.fileNameLabel != "X:\\T\\a\\b\\c\\d\\e\\deep") return;
    host_.onEvents = nullptr;
    ASSERT_EQ(rename((target_ + "/a").c_str(), (scratch_ / "moved").c_str()), 0);
    ASSERT_EQ(rename(outside_.c_str(), (target_ + "/a").c_str()), 0);
  };

  ScanTarget();

  for (const std::string& path : broughtIn) EXPECT_EQ(DosBits(path), 0x06u) << path;
}

TEST_F(PosixPassTest, AFolderMountedBelowTheTargetIsNeitherEnteredNorChanged) {
  Build(target_, {"file", "mnt/", "sub/"});
  const std::string mountPoint = target_ + "/mnt";
  const TmpfsOn tmpfs(mountPoint);
  if (!tmpfs.Mounted()) GTEST_SKIP() << tmpfs.Problem();
  Build(mountPoint, {"inner", "folder/"});
  const std::vector<std::string> onTheMount = {mountPoint, mountPoint + "/inner",
                                               mountPoint + "/folder"};
  for (const std::string& path : onTheMount) {
    ASSERT_EQ(setxattr(path.c_str(), "user.DOSATTRIB", "0x6", 4, 0), 0) << path;
  }
  host_.ticked = {true, false, false, false};

  const PassOutcome outcome = ScanTarget();

  // The mount point is another volume's: its value is read as stored, byte for byte.
  for (const std::string& path : onTheMount) {
    EXPECT_EQ(DosAttribValue(path), std::string("0x6", 4)) << path;
  }
  EXPECT_EQ(DosBits(target_ + "/file"), 0x20u);
  EXPECT_EQ(DosBits(target_ + "/sub"), 0x20u);
  EXPECT_EQ(count_, 1) << "the file on the mount is not counted either";
  EXPECT_EQ(outcome.folders.leftAlone, 1u) << "the mount point";
  EXPECT_EQ(outcome.folders.changed, 1u);
  EXPECT_EQ(outcome.failedListings, 0u) << "a mount not entered is no failure";
  EXPECT_TRUE(outcome.AllRight());
}

TEST_F(PosixPassTest, AnUndoDoesNotReachIntoAVolumeMountedSinceThePass) {
  Build(target_, {"sub/", "sub/file"});
  Mark({target_ + "/sub", target_ + "/sub/file"}, 0x06);
  host_.ticked = {true, false, false, false};
  const JournalStore store(scratch_ / "journal");
  auto writer = store.BeginOnNative(target_);
  pass_.SetObserver(writer.get());
  ScanTarget();
  writer->Finish();
  ASSERT_TRUE(writer->Path());
  ASSERT_EQ(DosBits(target_ + "/sub/file"), 0x20u);

  // The same names on another volume, as the pass left the originals.
  const std::string mountPoint = target_ + "/sub";
  const TmpfsOn tmpfs(mountPoint);
  if (!tmpfs.Mounted()) GTEST_SKIP() << tmpfs.Problem();
  Build(mountPoint, {"file"});
  ASSERT_TRUE(SetDosBits(mountPoint + "/file", 0x20));
  ASSERT_EQ(setxattr(mountPoint.c_str(), "user.DOSATTRIB", "0x20", 5, 0), 0);
  SilentUndo silent;

  const UndoOutcome undo = UndoJournal(*writer->Path(), *fileSystem_, silent);

  EXPECT_EQ(undo.status, UndoStatus::kDone);
  EXPECT_EQ(DosBits(mountPoint + "/file"), 0x20u);
  EXPECT_EQ(DosAttribValue(mountPoint), std::string("0x20", 5));
  EXPECT_EQ(undo.restored, 0u);
  EXPECT_EQ(undo.failed, 1u) << "sub/file: its folder is on another volume now";
  EXPECT_EQ(undo.changedSince, 1u) << "sub: the mount point is left alone";
}

TEST_F(PosixPassTest, APassThatEndsAtOnceLeavesAJournalThatIsUndoneWhole) {
  Build(target_, {"sub/", "sub/a", "sub/b", "c"});
  Mark({target_ + "/sub", target_ + "/sub/a", target_ + "/sub/b", target_ + "/c"}, 0x06);
  host_.ticked = {true, false, false, false};
  const JournalStore store(scratch_ / "journal");
  // The pass ends without a word, as on Exit or a crash: no Finish, no destructor, no sync.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    auto writer = store.BeginOnNative(target_);
    pass_.SetObserver(writer.get());
    ScanTarget();
    _exit(writer->Records() == 4 ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_EQ(DosBits(target_ + "/sub/a"), 0x20u);

  const std::vector<JournalListing> listings = store.List();
  ASSERT_EQ(listings.size(), 1u);
  EXPECT_EQ(listings.front().records, 4u);
  EXPECT_EQ(listings.front().header.state, JournalState::kWriting);
  EXPECT_FALSE(listings.front().beingWritten) << "the lock went with the process";
  SilentUndo silent;
  const UndoOutcome undo = UndoJournal(listings.front().path, *fileSystem_, silent);

  EXPECT_EQ(undo.status, UndoStatus::kDone);
  EXPECT_FALSE(undo.cutShort);
  EXPECT_EQ(undo.restored, 4u);
  for (const char* name : {"/sub", "/sub/a", "/sub/b", "/c"}) {
    EXPECT_EQ(DosBits(target_ + name).value_or(0) & 0x06u, 0x06u) << name;
  }
}

TEST_F(PosixPassTest, AnUnreadableFolderIsChangedButNotWhatItHolds) {
  Build(target_, {"locked/", "locked/inside", "after"});
  Mark({target_ + "/locked", target_ + "/locked/inside", target_ + "/after"}, 0x06);
  ASSERT_EQ(chmod((target_ + "/locked").c_str(), 0300), 0);  // may write, may not list

  // Root reads every folder; the pass runs where permissions bind, as for a user.
  EXPECT_TRUE(InUnprivilegedChild([this] {
    ScanTarget();
    return true;
  }));

  ASSERT_EQ(chmod((target_ + "/locked").c_str(), 0755), 0);
  EXPECT_EQ(DosBits(target_ + "/locked"), 0u);
  EXPECT_EQ(DosBits(target_ + "/locked/inside"), 0x06u);
  EXPECT_EQ(DosBits(target_ + "/after"), 0u);
}

TEST_F(PosixPassTest, ANameThatIsNotUtf8IsChanged) {
  Build(target_, {"odd\xff/", "odd\xff/name\xfe"});
  Mark({target_ + "/odd\xff", target_ + "/odd\xff/name\xfe"}, 0x06);

  ScanTarget();

  EXPECT_EQ(DosBits(target_ + "/odd\xff"), 0u);
  EXPECT_EQ(DosBits(target_ + "/odd\xff/name\xfe"), 0u);
  EXPECT_EQ(host_.fileNameLabel, "X:\\T\\odd\xEF\xBF\xBD\\name\xEF\xBF\xBD");
}

// A chain of `depth` folders "d" below `root`, each holding a file "f" with the bits 0x06.
void BuildChain(const std::string& root, int depth) {
  int folder = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(folder, 0);
  auto top = fs::OpenNativeDirectory(root);
  for (int level = 0; level < depth; ++level) {
    const int file = openat(folder, "f", O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(file, 0);
    close(file);
    ASSERT_EQ(mkdirat(folder, "d", 0755), 0);
    const int next = openat(folder, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    close(folder);
    ASSERT_GE(next, 0);
    folder = next;
  }
  close(folder);
}

// Walks the chain through the layer: every "f" and "d" holds exactly `bits`.
void ExpectChain(const std::string& root, int depth, std::uint32_t bits) {
  std::unique_ptr<fs::Directory> folder = fs::OpenNativeDirectory(root);
  for (int level = 0; level < depth; ++level) {
    ASSERT_TRUE(folder) << "level " << level;
    ASSERT_EQ(AttributesOf(*folder, "f").value_or(0xFFFF) & kDos, bits) << "file, level " << level;
    ASSERT_EQ(AttributesOf(*folder, "d").value_or(0xFFFF) & kDos, bits) << "folder, level " << level;
    folder = folder->OpenFolder("d");
  }
}

TEST_F(PosixPassTest, TenThousandLevelsWithFewDescriptorsAreAllChanged) {
  constexpr int kDepth = 10000;
  // On a disk that discards freed blocks, removing ten thousand folders takes most of a
  // minute; a tmpfs goes at once and holds the attributes as well.
  TmpfsMount tmpfs;
  const std::string root = tmpfs.Mounted() ? tmpfs.path() : target_;
  BuildChain(root, kDepth);
  host_.ticked = {false, false, true, false};

  // 64 descriptors, far below what the pass would like to hold for such a tree.
  EXPECT_TRUE(InUnprivilegedChild([&] {
    const rlimit few{64, 64};
    if (setrlimit(RLIMIT_NOFILE, &few) != 0) return false;
    pass_.ScanOpenFolder(fs::OpenNativeDirectory(root), "X:\\T", count_);
    return count_ == kDepth;
  }));

  ExpectChain(root, kDepth, 0x02);
}

// A record's path is as deep as its entry: the journal keeps each folder once, so neither it
// nor its undo grows with the square of the depth.
TEST_F(PosixPassTest, TenThousandLevelsAreJournaledAndUndoneWhole) {
  constexpr int kDepth = 10000;
  TmpfsMount tmpfs;
  const std::string root = tmpfs.Mounted() ? tmpfs.path() : target_;
  BuildChain(root, kDepth);
  host_.ticked = {false, false, true, false};
  const JournalStore store(scratch_ / "journal");
  auto writer = store.BeginOnNative(root);
  pass_.SetObserver(writer.get());
  pass_.ScanOpenFolder(fs::OpenNativeDirectory(root), "X:\\T", count_);
  writer->Finish();
  ASSERT_TRUE(writer->Complete());
  ASSERT_TRUE(writer->Path());
  ExpectChain(root, kDepth, 0x02);

  const auto bytes = ReadWholeFile(*writer->Path());
  ASSERT_TRUE(bytes);
  const JournalReadResult read = DecodeJournal(*bytes);
  ASSERT_TRUE(read.contents);
  EXPECT_EQ(read.contents->records.size(), 2u * kDepth);
  // The target and every folder but the deepest, which is empty: each once.
  EXPECT_EQ(read.contents->folders.size(), static_cast<std::size_t>(kDepth));
  SilentUndo silent;
  const UndoOutcome undo = UndoJournal(*writer->Path(), *fileSystem_, silent);

  EXPECT_EQ(undo.status, UndoStatus::kDone);
  EXPECT_EQ(undo.restored, 2u * kDepth);
  ExpectChain(root, kDepth, 0);
}

// The same small tree and two passes on a mounted file system: Hidden, System and Archive set,
// then everything cleared.
void ExpectPassesOn(const std::string& mountPoint) {
  const std::string root = mountPoint + "/pass";
  ASSERT_EQ(mkdir(root.c_str(), 0755), 0);
  Build(root, {"report.doc", "sub/", "sub/photo.jpg", "sub/deeper/", "sub/deeper/notes.txt"});
  const std::vector<std::string> all = {root + "/report.doc", root + "/sub",
                                        root + "/sub/photo.jpg", root + "/sub/deeper",
                                        root + "/sub/deeper/notes.txt"};
  std::vector<std::string> log;
  RecordingHost host(log);
  std::unique_ptr<fs::FileSystem> fileSystem = fs::CreateFileSystem();
  AttributePass pass(*fileSystem, host);

  for (const std::uint32_t mask : {0x26u, 0x00u}) {
    for (const Attribute box : kAttributes) host.ticked[BoxIndex(box)] = (mask & BitOf(box)) != 0;
    std::int32_t count = 0;
    pass.ScanOpenFolder(fs::OpenNativeDirectory(root), "X:\\pass", count);
    EXPECT_EQ(count, 3);
    for (const std::string& path : all) EXPECT_EQ(DosBits(path), mask) << path;
  }
}

TEST_F(PosixPassTest, NtfsImageUnderNtfs3g) {
  NtfsImage image(scratch_.path(), 16 << 20);
  if (image.ToolsMissing()) GTEST_SKIP() << image.Problem();
  ASSERT_TRUE(image.Mounted()) << image.Problem();
  ExpectPassesOn(image.MountPoint());
}

TEST(KernelAttributes, PassesOnEveryMountedFileSystem) {
  const char* mounts = std::getenv("VMTEST_MOUNTS");
  if (!mounts) GTEST_SKIP() << "needs run-in-vm";
  std::istringstream words(mounts);
  for (std::string mountPoint; words >> mountPoint;) {
    SCOPED_TRACE(mountPoint);
    ExpectPassesOn(mountPoint);
  }
}

}  // namespace
}  // namespace lumaveil::attrib
