// Which attribute mechanism an entry's file system offers, from its device in mountinfo.
#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fs/mountinfo.h"
#include "platform/fs/posix_entry.h"

namespace lumaveil::fs {

enum class AttributeMechanism {
  kFatIoctl,      // vfat, msdos, exfat: FAT_IOCTL_GET/SET_ATTRIBUTES
  kNtfsXattr,     // ntfs3 and ntfs-3g: system.ntfs_attrib
  kCifsXattr,     // SMB client mounts: user.cifs.dosattrib
  kDosAttribText, // user.DOSATTRIB as Samba and Wine read it, plus the mode for Read-Only
  kNone,          // read-only media and pseudo file systems: attributes cannot be set
  kProbeFuse,     // a FUSE file system: only a probe of the entry tells which of the above
};

// The mechanism for a mountinfo file-system type.
AttributeMechanism MechanismForFsType(std::string_view fsType);
// The mechanism for an fstatfs magic, for devices mountinfo does not list (btrfs subvolumes).
AttributeMechanism MechanismForMagic(long magic);
// The file-system type mounted from device major:minor; nullopt when no mount has it.
std::optional<std::string> FsTypeOfDevice(const std::vector<MountEntry>& mounts,
                                          unsigned major, unsigned minor);
// The mechanism of each device met during a pass, looked up once per device; mountinfo is read
// again for every new device, since mounts come and go. One pass, one thread: not locked.
class MechanismCache {
 public:
  using MountInfoReader = std::function<std::string()>;
  MechanismCache();
  explicit MechanismCache(MountInfoReader reader);

  AttributeMechanism For(const Entry& entry);

 private:
  MountInfoReader reader_;
  std::map<dev_t, AttributeMechanism> byDevice_;
};

}  // namespace lumaveil::fs
