#include "platform/fs/posix_dos_attributes.h"

#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>

#include <memory>

#include "platform/fs/posix_attribute_rules.h"
#include "platform/fs/posix_directory.h"
#include "platform/fs/posix_dosattrib_text.h"
#include "platform/fs/posix_fs_type.h"
#include "posix_fs_test_support.h"

namespace lumaveil::fs {
namespace {

using namespace std::string_literals;
using testing::AttributesOf;
using testing::SetAttributes;
using testing::CanOpenForWriting;
using testing::DosAttribValue;
using testing::InChildAsUser;
using testing::InUnprivilegedChild;
using testing::kNobody;
using testing::ModeOf;
using testing::ScratchFolder;
using testing::SetAndCheckMask;
using testing::TmpfsMount;
using testing::WriteFile;

// --- the stored text forms ------------------------------------------------------------------

void PutLittleEndian(std::string& bytes, std::uint64_t value, int size) {
  for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xff);
}

// Samba's binary form: `text` and its NUL, padded to 2 bytes; the version twice; padding to
// 4 bytes; then the version's record: valid flags, attributes and the creation time
// 0x01d9aabbccddeeff, with an itime before it in version 4 and the sizes and times of version 3
// around it. Versions 1 and 2 keep a 16-bit attribute field.
std::string SambaBlob(unsigned version, std::uint32_t validFlags, std::uint32_t attrib,
                      const std::string& text = "") {
  constexpr std::uint64_t kCreated = 0x01d9aabbccddeeffULL;
  std::string blob = text + '\0';
  if (blob.size() % 2) blob += '\0';
  PutLittleEndian(blob, version, 2);
  PutLittleEndian(blob, version, 2);
  while (blob.size() % 4) blob += '\0';
  switch (version) {
    case 1:  // attrib, ea size, size, allocation size, creation and change times
      PutLittleEndian(blob, attrib, 2);
      PutLittleEndian(blob, 0, 2);
      PutLittleEndian(blob, 0, 4);
      for (std::uint64_t field : {std::uint64_t{4}, std::uint64_t{4096}, kCreated, kCreated}) {
        PutLittleEndian(blob, field, 8);
      }
      break;
    case 2:  // flags, attrib, and more Lumaveil does not read
      PutLittleEndian(blob, validFlags, 4);
      PutLittleEndian(blob, attrib, 2);
      PutLittleEndian(blob, 0, 2);
      PutLittleEndian(blob, kCreated, 8);
      break;
    case 3:
      PutLittleEndian(blob, validFlags, 4);
      PutLittleEndian(blob, attrib, 4);
      PutLittleEndian(blob, 0, 4);
      for (std::uint64_t field : {std::uint64_t{4}, std::uint64_t{4096}, kCreated, kCreated}) {
        PutLittleEndian(blob, field, 8);
      }
      break;
    default:
      PutLittleEndian(blob, validFlags, 4);
      PutLittleEndian(blob, attrib, 4);
      if (version == 4) PutLittleEndian(blob, 0x01d0000000000000ULL, 8);
      PutLittleEndian(blob, kCreated, 8);
      break;
  }
  return blob;
}

TEST(DosAttribText, ReadsTheFormsOtherProgramsWrite) {
  EXPECT_EQ(ParseDosAttrib("0x22"), 0x22u);  // Wine: no NUL
  EXPECT_EQ(ParseDosAttrib("0X2120\0"s), 0x2120u);
  EXPECT_EQ(ParseDosAttrib("0xffffffff"), 0xffffffffu);
  // Text followed by something that is no binary record: the text counts.
  EXPECT_EQ(ParseDosAttrib("0x12\0\x03\x00\x03\x00\xff\xff"s), 0x12u);
  // Samba's binary form, every version; where the record holds the bits, they count.
  EXPECT_EQ(ParseDosAttrib(SambaBlob(5, 0x11, 0x12)), 0x12u);
  EXPECT_EQ(ParseDosAttrib(SambaBlob(4, 0x41, 0x27)), 0x27u);
  EXPECT_EQ(ParseDosAttrib(SambaBlob(3, 0x1, 0x21, "0x21")), 0x21u);
  EXPECT_EQ(ParseDosAttrib(SambaBlob(2, 0, 0x6, "0x6")), 0x6u);
  EXPECT_EQ(ParseDosAttrib(SambaBlob(1, 0, 0x2, "0x2")), 0x2u);
  EXPECT_EQ(ParseDosAttrib(SambaBlob(5, 0x11, 0x2, "0x22")), 0x2u);
  // A record without valid bits falls back to its text.
  EXPECT_EQ(ParseDosAttrib(SambaBlob(3, 0x10, 0x21, "0x4")), 0x4u);

  for (const std::string& junk : {""s, "0x"s, "0x\0"s, "0xzz"s, "0x100000000"s, "hidden"s,
                                  "\0\0\x05\x00"s, SambaBlob(6, 0x11, 0x12),
                                  SambaBlob(5, 0x11, 0x12).substr(0, 23),
                                  SambaBlob(3, 0x11, 0x12).substr(0, 40)}) {
    EXPECT_EQ(ParseDosAttrib(junk), std::nullopt) << junk;
  }
  // Without the "attributes valid" flag the field means nothing.
  EXPECT_EQ(ParseDosAttrib(SambaBlob(5, 0x10, 0x12)), std::nullopt);
}

TEST(DosAttribText, WritesLowerCaseHexAndOneNul) {
  EXPECT_EQ(FormatDosAttrib(0x22), "0x22\0"s);
  EXPECT_EQ(FormatDosAttrib(0), "0x0\0"s);
  EXPECT_EQ(FormatDosAttrib(0xABCDEF01), "0xabcdef01\0"s);
  // No value, a text, or a value nobody can read: the text form.
  EXPECT_EQ(DosAttribToWrite(std::nullopt, 0x22), "0x22\0"s);
  EXPECT_EQ(DosAttribToWrite("0x6"s, 0x22), "0x22\0"s);
  EXPECT_EQ(DosAttribToWrite("junk"s, 0x2), "0x2\0"s);
}

TEST(DosAttribText, SambasBinaryFormIsRewrittenInPlaceWithItsTextFilledIn) {
  // Texts of 3, 4 and 6 characters put the version and the record at different offsets.
  for (std::uint32_t bits : {0x2u, 0x22u, 0x2120u}) {
    // What Samba 4 writes: an empty text, version 5, then Lumaveil's text in front, every other
    // byte of the record as it was (the creation time above all).
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", bits);
    EXPECT_EQ(DosAttribToWrite(SambaBlob(5, 0x11, 0x20), bits), SambaBlob(5, 0x11, bits, text))
        << text;
    EXPECT_EQ(DosAttribToWrite(SambaBlob(4, 0x41, 0x20), bits), SambaBlob(4, 0x41, bits, text))
        << text;
    EXPECT_EQ(DosAttribToWrite(SambaBlob(3, 0x11, 0x20, "0x20"), bits),
              SambaBlob(3, 0x11, bits, text))
        << text;
    EXPECT_EQ(DosAttribToWrite(SambaBlob(1, 0, 0x20, "0x20"), bits), SambaBlob(1, 0, bits, text))
        << text;
    EXPECT_EQ(ParseDosAttrib(DosAttribToWrite(SambaBlob(2, 0, 0x20, "0x20"), bits)), bits);
  }
  // A record whose attributes were not valid says they are now.
  EXPECT_EQ(DosAttribToWrite(SambaBlob(5, 0x10, 0x0), 0x2), SambaBlob(5, 0x11, 0x2, "0x2"));
}

// --- from stored values to what Windows would report, and back -------------------------------

TEST(AttributeRules, NtfsKeepsEveryBitThatIsNotSettable) {
  // directory, compressed, sparse, reparse, encrypted, ntfs3's index flag
  const std::uint32_t kept = 0x10 | 0x800 | 0x200 | 0x400 | 0x4000 | 0x10000000;
  EXPECT_EQ(NtfsValueToWrite(kept | 0x27, 0), kept);
  EXPECT_EQ(NtfsValueToWrite(kept, 0x3127), kept | 0x3127);
  // NORMAL is never written, whether it was read or asked for.
  EXPECT_EQ(NtfsValueToWrite(0x80, 0x80), 0u);
  EXPECT_EQ(NtfsReported(0x10000022, true), 0x32u);
  EXPECT_EQ(NtfsReported(0, false), 0x80u);
  // The SMB server reads 0 as "no change".
  EXPECT_EQ(CifsValueToWrite(0, false), 0x80u);
}

TEST(AttributeRules, Ntfs3gRetypesFilesWithSystemByTheirSizeOrSignature) {
  constexpr std::uint32_t S = attr::kSystem, H = attr::kHidden;
  EXPECT_TRUE(NtfsWouldRetype(S, 0, ""));
  EXPECT_TRUE(NtfsWouldRetype(S | attr::kArchive, 1, ""));
  EXPECT_FALSE(NtfsWouldRetype(S | H, 0, ""));
  EXPECT_FALSE(NtfsWouldRetype(H, 1, ""));
  EXPECT_FALSE(NtfsWouldRetype(S, 2, "ab"));
  for (const char* head : {"IntxLNK\1", "IntxBLK", "IntxCHR\0\7"}) {
    EXPECT_TRUE(NtfsWouldRetype(S | H, 24, head)) << head;
    EXPECT_FALSE(NtfsWouldRetype(H, 24, head)) << head;
  }
  EXPECT_FALSE(NtfsWouldRetype(S, 24, "IntxSOK"));
  EXPECT_FALSE(NtfsWouldRetype(S, 6, "IntxLN"));
}

TEST(AttributeRules, DosAttribReadOnlyOfAFileFollowsItsModeOrItsValue) {
  EXPECT_EQ(DosAttribToStore(0x200 | 0x90 | 0x27, 0x1, false), 0x201u);
  EXPECT_EQ(DosAttribReported(std::nullopt, S_IFREG | 0644), 0x80u);
  EXPECT_EQ(DosAttribReported(std::nullopt, S_IFREG | 0444), 0x1u);
  // Samba keeps Read-Only in the value and leaves the mode writable; either says Read-Only.
  EXPECT_EQ(DosAttribReported(0x23, S_IFREG | 0644), 0x23u);
  EXPECT_EQ(DosAttribReported(0x22, S_IFREG | 0464), 0x23u);
  // A folder's Read-Only is the stored one; its mode says nothing.
  EXPECT_EQ(DosAttribReported(std::nullopt, S_IFDIR | 0555), 0x10u);
  EXPECT_EQ(DosAttribReported(0x13, S_IFDIR | 0755), 0x13u);
}

TEST(AttributeRules, WriteBitsComeBackWhereReadBitsAre) {
  EXPECT_EQ(ModeWithWriteRestored(0444, 022), 0644u);
  EXPECT_EQ(ModeWithWriteRestored(0440, 0), 0660u);
  EXPECT_EQ(ModeWithWriteRestored(04555, 002), 04775u);
  // The owner gets write back even against the umask, or the file would still read Read-Only.
  EXPECT_EQ(ModeWithWriteRestored(0444, 0222), 0644u);
  EXPECT_EQ(ModeWithoutWrite(04775), 04555u);
}

// --- which mechanism --------------------------------------------------------------------------

TEST(AttributeMechanisms, ChosenByFileSystemType) {
  EXPECT_EQ(MechanismForFsType("exfat"), AttributeMechanism::kFatIoctl);
  EXPECT_EQ(MechanismForFsType("ntfs"), AttributeMechanism::kNtfsXattr);
  EXPECT_EQ(MechanismForFsType("smb3"), AttributeMechanism::kCifsXattr);
  EXPECT_EQ(MechanismForFsType("fuse.sshfs"), AttributeMechanism::kProbeFuse);
  EXPECT_EQ(MechanismForFsType("fuseblk"), AttributeMechanism::kProbeFuse);
  EXPECT_EQ(MechanismForFsType("btrfs"), AttributeMechanism::kDosAttribText);
  EXPECT_EQ(MechanismForFsType("some-new-fs"), AttributeMechanism::kDosAttribText);
  EXPECT_EQ(MechanismForFsType("iso9660"), AttributeMechanism::kNone);
  EXPECT_EQ(MechanismForMagic(0x2011BAB0), AttributeMechanism::kFatIoctl);
  EXPECT_EQ(MechanismForMagic(static_cast<long>(0xFF534D42)), AttributeMechanism::kCifsXattr);
  EXPECT_EQ(MechanismForMagic(0xEF53), AttributeMechanism::kDosAttribText);
}

std::string MountLine(int id, dev_t device, const std::string& point, const std::string& type) {
  return std::to_string(id) + " 1 " + std::to_string(major(device)) + ":" +
         std::to_string(minor(device)) + " / " + point + " rw,relatime shared:1 - " + type +
         " /dev/x rw\n";
}

TEST(AttributeMechanisms, LookedUpOncePerDevice) {
  ScratchFolder folder;
  ASSERT_TRUE(WriteFile(folder / "a", "x"));
  ASSERT_TRUE(WriteFile(folder / "b", "x"));
  int dirFd = open(folder.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(dirFd, 0);
  auto a = OpenEntry(dirFd, "a");
  auto b = OpenEntry(dirFd, "b");
  auto devNull = OpenEntry(AT_FDCWD, "/dev/null");
  close(dirFd);
  ASSERT_TRUE(a && b && devNull);
  ASSERT_NE(a->st.st_dev, devNull->st.st_dev);

  int reads = 0;
  std::string table = MountLine(20, a->st.st_dev, "/media/usb", "vfat") +
                      MountLine(21, devNull->st.st_dev, "/dev", "cifs");
  MechanismCache cache([&] {
    ++reads;
    return table;
  });
  EXPECT_EQ(cache.For(*a), AttributeMechanism::kFatIoctl);
  EXPECT_EQ(cache.For(*b), AttributeMechanism::kFatIoctl);
  EXPECT_EQ(reads, 1);
  // Another device: the table is read again, since it may have changed meanwhile.
  table = MountLine(21, devNull->st.st_dev, "/dev", "ntfs3");
  EXPECT_EQ(cache.For(*devNull), AttributeMechanism::kNtfsXattr);
  EXPECT_EQ(reads, 2);
  EXPECT_EQ(cache.For(*a), AttributeMechanism::kFatIoctl);
  EXPECT_EQ(reads, 2);
}

TEST(AttributeMechanisms, FuseIsProbedAndUnlistedDevicesAskTheKernel) {
  ScratchFolder folder;
  ASSERT_TRUE(WriteFile(folder / "a", "x"));
  auto a = OpenEntry(AT_FDCWD, folder / "a");
  ASSERT_TRUE(a);
  // A FUSE type on a device that does not answer system.ntfs_attrib is not ntfs-3g.
  MechanismCache fuse([&] { return MountLine(30, a->st.st_dev, "/mnt/x", "fuseblk"); });
  EXPECT_EQ(fuse.For(*a), AttributeMechanism::kDosAttribText);
  MechanismCache unlisted([] { return std::string("garbage\n"); });
  EXPECT_EQ(unlisted.For(*a), AttributeMechanism::kDosAttribText);
  MechanismCache iso([&] { return MountLine(31, a->st.st_dev, "/media/cd", "iso9660"); });
  EXPECT_EQ(iso.For(*a), AttributeMechanism::kNone);
  const auto reading = ReadForChange(iso.For(*a), *a);
  ASSERT_TRUE(reading);
  EXPECT_FALSE(WriteAfterRead(iso.For(*a), *a, *reading, attr::kHidden));
}

// --- user.DOSATTRIB and the mode, on the local disk and on tmpfs --------------------------------

enum class Place { kLocalDisk, kTmpfs };

class DosAttribOnDisk : public ::testing::TestWithParam<Place> {
 protected:
  void SetUp() override {
    if (GetParam() == Place::kTmpfs) {
      tmpfs_ = std::make_unique<TmpfsMount>();
      if (!tmpfs_->Mounted()) GTEST_SKIP() << "this process may not mount tmpfs";
      folder_ = std::make_unique<ScratchFolder>(tmpfs_->path());
    } else {
      folder_ = std::make_unique<ScratchFolder>();
    }
    ASSERT_FALSE(folder_->path().empty());
    ASSERT_TRUE(WriteFile(Path("file"), "data", 0644));
    ASSERT_EQ(mkdir(Path("folder").c_str(), 0755), 0);
    dir_ = OpenNativeDirectory(folder_->path());
    ASSERT_NE(dir_, nullptr);
  }

  std::string Path(const std::string& name) const { return *folder_ / name; }

  std::unique_ptr<TmpfsMount> tmpfs_;  // outlives the folder inside it
  std::unique_ptr<ScratchFolder> folder_;
  std::unique_ptr<Directory> dir_;
};

TEST_P(DosAttribOnDisk, EveryMaskRoundTripsOnFilesAndFolders) {
  for (std::uint32_t mask = 0; mask <= 0x27; ++mask) {
    ASSERT_NO_FATAL_FAILURE(SetAndCheckMask(*dir_, mask));
    const std::uint32_t settable = mask & attr::kSettable;
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", settable);
    // A fresh file already has no attributes, so nothing is written for none.
    if (mask == 0) EXPECT_EQ(DosAttribValue(Path("file")), std::nullopt);
    else EXPECT_EQ(DosAttribValue(Path("file")), std::string(text) + '\0') << mask;
    EXPECT_EQ(ModeOf(Path("folder")), 0755u) << "a folder's mode never changes";
  }
  EXPECT_EQ(ModeOf(Path("file")), 0444u);
  // The full set and the bits beyond it.
  ASSERT_TRUE(SetAttributes(*dir_, "file", 0xffffffff));
  EXPECT_EQ(AttributesOf(*dir_, "file"), 0x3127u);
  ASSERT_TRUE(SetAttributes(*dir_, "file", attr::kNormal));
  EXPECT_EQ(AttributesOf(*dir_, "file"), attr::kNormal);
  EXPECT_EQ(DosAttribValue(Path("file")), "0x0\0"s);
}

TEST_P(DosAttribOnDisk, NewEntriesReadNormalAndOthersValuesAreRead) {
  EXPECT_EQ(AttributesOf(*dir_, "file"), attr::kNormal);
  EXPECT_EQ(AttributesOf(*dir_, "folder"), attr::kDirectory);
  // Wine writes the text without a NUL; Samba writes its binary blob.
  ASSERT_EQ(setxattr(Path("file").c_str(), "user.DOSATTRIB", "0x6", 3, 0), 0);
  EXPECT_EQ(AttributesOf(*dir_, "file"), 0x6u);
  std::string blob = SambaBlob(5, 0x11, 0x12);
  ASSERT_EQ(setxattr(Path("folder").c_str(), "user.DOSATTRIB", blob.data(), blob.size(), 0), 0);
  EXPECT_EQ(AttributesOf(*dir_, "folder"), 0x12u);
  EXPECT_EQ(AttributesOf(*dir_, "missing"), std::nullopt);
}

TEST_P(DosAttribOnDisk, BitsThatCannotBeSetAreKept) {
  // Sparse and offline... as another program stored them.
  ASSERT_EQ(setxattr(Path("file").c_str(), "user.DOSATTRIB", "0x226", 5, 0), 0);
  ASSERT_TRUE(SetAttributes(*dir_, "file", attr::kArchive));
  EXPECT_EQ(DosAttribValue(Path("file")), "0x220\0"s);
  EXPECT_EQ(AttributesOf(*dir_, "file"), 0x220u);
}

TEST_P(DosAttribOnDisk, SambasValueKeepsItsRecordAndReadOnlyStoredThereCounts) {
  const std::string blob = SambaBlob(5, 0x11, 0x20);
  ASSERT_EQ(setxattr(Path("file").c_str(), "user.DOSATTRIB", blob.data(), blob.size(), 0), 0);
  // The bits are right already: the value stays byte for byte.
  ASSERT_TRUE(SetAttributes(*dir_, "file", attr::kArchive));
  EXPECT_EQ(DosAttribValue(Path("file")), blob);
  ASSERT_TRUE(SetAttributes(*dir_, "file", attr::kHidden | attr::kArchive));
  EXPECT_EQ(DosAttribValue(Path("file")), SambaBlob(5, 0x11, 0x22, "0x22"));

  // Samba stores Read-Only and leaves the mode writable.
  const std::string readOnly = SambaBlob(5, 0x11, 0x21);
  ASSERT_EQ(setxattr(Path("file").c_str(), "user.DOSATTRIB", readOnly.data(), readOnly.size(), 0),
            0);
  EXPECT_EQ(AttributesOf(*dir_, "file"), 0x21u);
  // Read-Only already: nothing is written, and the mode stays as Samba left it.
  ASSERT_TRUE(SetAttributes(*dir_, "file", attr::kReadOnly | attr::kArchive));
  EXPECT_EQ(ModeOf(Path("file")), 0644u);
  EXPECT_EQ(DosAttribValue(Path("file")), readOnly);
  // Read-Only cleared: the stored bit goes, and the owner keeps write.
  ASSERT_TRUE(SetAttributes(*dir_, "file", attr::kArchive));
  EXPECT_EQ(AttributesOf(*dir_, "file"), attr::kArchive);
  EXPECT_EQ(ModeOf(Path("file")), 0644u);
}

// Sets the immutable flag for as long as it lives, so that any write to the file fails.
class Immutable {
 public:
  explicit Immutable(const std::string& path)
      : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC)), set_(Flags(FS_IMMUTABLE_FL)) {}
  ~Immutable() {
    if (set_) Flags(0);
    if (fd_ >= 0) close(fd_);
  }
  bool IsSet() const { return set_; }

 private:
  bool Flags(int flags) { return fd_ >= 0 && ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0; }
  int fd_;
  bool set_;
};

TEST_P(DosAttribOnDisk, UnchangedValueIsNotWrittenAgain) {
  ASSERT_TRUE(SetAttributes(*dir_, "file", attr::kHidden | attr::kReadOnly));
  Immutable frozen(Path("file"));
  if (!frozen.IsSet()) GTEST_SKIP() << "no immutable flag here (needs CAP_LINUX_IMMUTABLE)";
  EXPECT_TRUE(SetAttributes(*dir_, "file", attr::kHidden | attr::kReadOnly));
  EXPECT_FALSE(SetAttributes(*dir_, "file", attr::kHidden));
  EXPECT_FALSE(SetAttributes(*dir_, "file", attr::kReadOnly));
}

TEST_P(DosAttribOnDisk, ReadOnlyBlocksWritesAndClearingItRestoresThem) {
  ASSERT_TRUE(InUnprivilegedChild([&] { return CanOpenForWriting(Path("file")); }));
  ASSERT_TRUE(SetAttributes(*dir_, "file", attr::kReadOnly | attr::kHidden));
  EXPECT_EQ(ModeOf(Path("file")), 0444u);
  EXPECT_FALSE(InUnprivilegedChild([&] { return CanOpenForWriting(Path("file")); }));

  // The owner, without root's privileges, clears it again: the write bits must come back
  // before the value can be stored.
  EXPECT_TRUE(InUnprivilegedChild([&] {
    return SetAttributes(*dir_, "file", attr::kHidden) && CanOpenForWriting(Path("file"));
  }));
  EXPECT_EQ(ModeOf(Path("file")) & 0200, 0200u);
  EXPECT_EQ(AttributesOf(*dir_, "file"), attr::kHidden);
  EXPECT_EQ(DosAttribValue(Path("file")), "0x2\0"s);

  // Read-Only on a folder is kept in the value only: its users can still create files in it.
  ASSERT_TRUE(SetAttributes(*dir_, "folder", attr::kReadOnly));
  EXPECT_EQ(ModeOf(Path("folder")), 0755u);
  EXPECT_EQ(AttributesOf(*dir_, "folder"), attr::kReadOnly | attr::kDirectory);
}

TEST_P(DosAttribOnDisk, AReadOnlyFilesOtherBitsChangeWhileItStaysReadOnly) {
  ASSERT_TRUE(SetAttributes(*dir_, "file", attr::kReadOnly | attr::kHidden));
  ASSERT_EQ(ModeOf(Path("file")), 0444u);

  // The owner, without root's privileges, may not store a value on a file nobody may write.
  EXPECT_TRUE(InUnprivilegedChild(
      [&] { return SetAttributes(*dir_, "file", attr::kReadOnly | attr::kSystem); }));
  EXPECT_EQ(ModeOf(Path("file")), 0444u);
  EXPECT_EQ(AttributesOf(*dir_, "file"), attr::kReadOnly | attr::kSystem);
  EXPECT_EQ(DosAttribValue(Path("file")), "0x5\0"s);
}

TEST_P(DosAttribOnDisk, AnOwnersReadOnlyFolderTakesNewBitsAndKeepsItsMode) {
  ASSERT_TRUE(SetAttributes(*dir_, "folder", attr::kHidden | attr::kSystem));
  ASSERT_EQ(chmod(Path("folder").c_str(), 02555), 0);
  // The kernel wants write permission on the folder for the value, even from its owner.
  EXPECT_TRUE(InUnprivilegedChild([&] { return SetAttributes(*dir_, "folder", attr::kArchive); }));
  EXPECT_EQ(ModeOf(Path("folder")), 02555u);
  EXPECT_EQ(AttributesOf(*dir_, "folder"), attr::kArchive | attr::kDirectory);
}

TEST_P(DosAttribOnDisk, AnOwnerWithoutWriteAccessChangesItsFileWhateverTheGroupMay) {
  ASSERT_EQ(chmod(Path("file").c_str(), 0464), 0);
  // Without its owner's write bit the file reads Read-Only; clearing that gives the bit back.
  EXPECT_TRUE(InUnprivilegedChild([&] { return SetAttributes(*dir_, "file", attr::kHidden); }));
  EXPECT_EQ(ModeOf(Path("file")), 0664u);
  EXPECT_EQ(DosAttribValue(Path("file")), "0x2\0"s);
  EXPECT_EQ(AttributesOf(*dir_, "file"), attr::kHidden);
  ASSERT_EQ(chmod(Path("file").c_str(), 0464), 0);
  EXPECT_TRUE(InUnprivilegedChild([&] { return SetAttributes(*dir_, "file", attr::kReadOnly); }));
  EXPECT_EQ(ModeOf(Path("file")), 0444u);
  EXPECT_EQ(AttributesOf(*dir_, "file"), attr::kReadOnly);
}

TEST_P(DosAttribOnDisk, AChangeWhoseModeIsRefusedIsUndone) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to make a file its user may write but not chmod";
  ASSERT_EQ(chmod(folder_->path().c_str(), 0755), 0);
  ASSERT_TRUE(WriteFile(Path("file"), "data", 0666));
  ASSERT_TRUE(WriteFile(Path("bare"), "data", 0666));
  ASSERT_TRUE(SetAttributes(*dir_, "file", attr::kHidden));

  // Another user may store the value of a file anyone may write, but not take the write bits
  // away: the value goes back to what it was, and the change counts as failed.
  for (const char* name : {"file", "bare"}) {
    EXPECT_TRUE(InChildAsUser(kNobody, [&] {
      return !SetAttributes(*dir_, name, attr::kReadOnly | attr::kSystem) && errno == EPERM;
    })) << name;
    EXPECT_EQ(ModeOf(Path(name)), 0666u) << name;
  }
  EXPECT_EQ(DosAttribValue(Path("file")), "0x2\0"s);
  EXPECT_EQ(DosAttribValue(Path("bare")), std::nullopt);
}

TEST_P(DosAttribOnDisk, LinksAndSpecialFilesAreNotTouched) {
  ASSERT_EQ(symlink("file", Path("link").c_str()), 0);
  ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0644), 0);
  // No reader is waiting on the FIFO: opening it for anything but a path would hang or fail.
  EXPECT_FALSE(SetAttributes(*dir_, "link", attr::kReadOnly | attr::kHidden));
  EXPECT_FALSE(SetAttributes(*dir_, "fifo", attr::kReadOnly | attr::kHidden));
  EXPECT_EQ(ModeOf(Path("file")), 0644u);
  EXPECT_EQ(DosAttribValue(Path("file")), std::nullopt);
  EXPECT_EQ(ModeOf(Path("fifo")), 0644u);
  for (const char* name : {"fifo", "link"}) {
    EXPECT_EQ(dir_->ChangeAttributes(name, {attr::kHidden, std::nullopt}, nullptr).result,
              AttributeChange::Result::kLeftAlone)
        << name;
  }
  EXPECT_EQ(DosAttribValue(Path("fifo")), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Places, DosAttribOnDisk,
                         ::testing::Values(Place::kLocalDisk, Place::kTmpfs),
                         [](const auto& info) {
                           return info.param == Place::kTmpfs ? "Tmpfs" : "LocalDisk";
                         });

}  // namespace
}  // namespace lumaveil::fs
