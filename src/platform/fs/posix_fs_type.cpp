#include "platform/fs/posix_fs_type.h"

#include <fcntl.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>

#include <cstdint>
#include <utility>

#include "platform/fs/posix_dos_attributes.h"

namespace lumaveil::fs {
namespace {

// Read-only media: nothing on them can be changed.
constexpr std::string_view kReadOnlyMedia[] = {"iso9660", "udf", "erofs", "cramfs", "romfs"};

}  // namespace

AttributeMechanism MechanismForFsType(std::string_view fsType) {
  if (fsType == "vfat" || fsType == "msdos" || fsType == "exfat") {
    return AttributeMechanism::kFatIoctl;
  }
  // "ntfs" is the kernel's read-only alias of ntfs3.
  if (fsType == "ntfs3" || fsType == "ntfs") return AttributeMechanism::kNtfsXattr;
  if (fsType == "cifs" || fsType == "smb3") return AttributeMechanism::kCifsXattr;
  if (fsType == "fuse" || fsType == "fuseblk" || fsType.starts_with("fuse.")) {
    return AttributeMechanism::kProbeFuse;
  }
  for (std::string_view readOnly : kReadOnlyMedia) {
    if (fsType == readOnly) return AttributeMechanism::kNone;
  }
  if (PseudoFsOfType(fsType) == PseudoFs::kWithoutFiles) return AttributeMechanism::kNone;
  return AttributeMechanism::kDosAttribText;
}

AttributeMechanism MechanismForMagic(long magic) {
  switch (static_cast<std::uint32_t>(magic)) {
    case 0x4d44:      // MSDOS_SUPER_MAGIC
    case 0x2011BAB0:  // exFAT
      return AttributeMechanism::kFatIoctl;
    case 0x7366746e:  // ntfs3
      return AttributeMechanism::kNtfsXattr;
    case 0x65735546:  // FUSE
      return AttributeMechanism::kProbeFuse;
    case 0xFF534D42:  // CIFS
    case 0xFE534D42:  // SMB2
      return AttributeMechanism::kCifsXattr;
    case 0x9660:      // ISOFS
    case 0x15013346:  // UDF
    case 0x73717368:  // squashfs
    case 0xE0F5E1E2:  // erofs
      return AttributeMechanism::kNone;
    default:
      return AttributeMechanism::kDosAttribText;
  }
}

std::optional<std::string> FsTypeOfDevice(const std::vector<MountEntry>& mounts,
                                          unsigned major, unsigned minor) {
  for (const MountEntry& mount : mounts) {
    if (mount.devMajor == major && mount.devMinor == minor) return mount.fsType;
  }
  return std::nullopt;
}

MechanismCache::MechanismCache() : MechanismCache([] { return ReadMountInfo(); }) {}

MechanismCache::MechanismCache(MountInfoReader reader) : reader_(std::move(reader)) {}

AttributeMechanism MechanismCache::For(const Entry& entry) {
  const dev_t device = entry.st.st_dev;
  if (auto found = byDevice_.find(device); found != byDevice_.end()) return found->second;

  AttributeMechanism mechanism;
  auto fsType = FsTypeOfDevice(ParseMountInfo(reader_()), major(device), minor(device));
  if (fsType) {
    mechanism = MechanismForFsType(*fsType);
  } else {
    // The folder holding the entry is on the same file system, and open.
    struct statfs info {};
    const int asked = entry.dirFd == AT_FDCWD ? statfs(entry.name.c_str(), &info)
                                              : fstatfs(entry.dirFd, &info);
    mechanism = asked == 0 ? MechanismForMagic(info.f_type) : AttributeMechanism::kDosAttribText;
  }
  if (mechanism == AttributeMechanism::kProbeFuse) {
    // ntfs-3g is the FUSE file system that answers with an NTFS attribute value. Other FUSE file
    // systems may still keep user extended attributes; if not, setting fails.
    mechanism = ReadNtfsAttrib(entry) ? AttributeMechanism::kNtfsXattr
                                      : AttributeMechanism::kDosAttribText;
  }
  byDevice_.emplace(device, mechanism);
  return mechanism;
}

}  // namespace lumaveil::fs
