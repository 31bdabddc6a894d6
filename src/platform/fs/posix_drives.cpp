// Which mounts get a letter, and of what type, from the mount table and sysfs alone: nothing
// here touches the mounts themselves, so a hung network share cannot stall the drive list.
#include "platform/fs/posix_drives.h"

#include <dirent.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string_view>

namespace lumaveil::fs {
namespace {

namespace stdfs = std::filesystem;

constexpr char kRootLetter = 'C';
constexpr char kFirstLetter = 'D';
constexpr char kLastLetter = 'Z';

bool IsUnder(std::string_view path, std::string_view folder) {
  return path == folder ||
         (path.starts_with(folder) && path.size() > folder.size() && path[folder.size()] == '/');
}

// Kernel interfaces, boot files and the system's own run-time state are nobody's drive, but
// the desktop mounts media under /run/media.
bool InSystemLocation(std::string_view mountPoint) {
  for (std::string_view folder : {"/proc", "/sys", "/dev", "/boot", "/snap"}) {
    if (IsUnder(mountPoint, folder)) return true;
  }
  return IsUnder(mountPoint, "/run") && !IsUnder(mountPoint, "/run/media");
}

bool IsNetworkType(std::string_view type) {
  static const std::set<std::string_view> kTypes = {
      "nfs", "nfs4", "cifs", "smb3", "smbfs", "9p", "afs", "ceph", "glusterfs", "virtiofs",
      "davfs", "vboxsf", "fuse.sshfs", "fuse.rclone", "fuse.s3fs", "fuse.glusterfs",
      "fuse.curlftpfs", "fuse.vmhgfs-fuse"};
  return kTypes.contains(type);
}

bool IsFuseBlock(std::string_view type) {
  return type == "fuseblk" || type.starts_with("fuseblk.");
}

// ntfs-3g on an image file mounts as plain "fuse" with the image's path as its source.
bool IsFuseImage(const MountEntry& e) {
  return (e.fsType == "fuse" || e.fsType.starts_with("fuse.ntfs")) && e.source.starts_with('/');
}

bool WantsLetter(const MountEntry& e) {
  if (InSystemLocation(e.mountPoint) || PseudoFsOfType(e.fsType) != PseudoFs::kNo) return false;
  return IsNetworkType(e.fsType) || IsFuseBlock(e.fsType) || IsFuseImage(e) ||
         e.source.starts_with("/dev/");
}

// The whole disk a block device belongs to: a disk is a folder of <sys>/block, a partition a
// folder inside its disk's.
std::string DiskNamed(const stdfs::path& sysBlock, const std::string& name) {
  std::error_code ec;
  if (name.empty() || name == "." || name == "..") return {};
  if (stdfs::is_directory(sysBlock / name, ec)) return name;
  for (const auto& disk : stdfs::directory_iterator(sysBlock, ec)) {
    if (stdfs::exists(disk.path() / name / "partition", ec)) return disk.path().filename();
  }
  return {};
}

// By the source's device name first; device-mapper names and /dev links (/dev/mapper/x,
// /dev/cdrom) are found through the device number's sysfs link.
std::string DiskOf(const MountEntry& e, const std::string& sysRoot) {
  const stdfs::path sysBlock = stdfs::path(sysRoot) / "block";
  if (e.source.starts_with("/dev/")) {
    const std::string disk = DiskNamed(sysBlock, stdfs::path(e.source).filename());
    if (!disk.empty()) return disk;
  }
  if (e.devMajor == 0) return {};
  std::error_code ec;
  const stdfs::path device = stdfs::canonical(
      stdfs::path(sysRoot) / "dev" / "block" /
          (std::to_string(e.devMajor) + ":" + std::to_string(e.devMinor)),
      ec);
  return ec ? std::string() : DiskNamed(sysBlock, device.filename());
}

bool ReadsOne(const stdfs::path& file) {
  std::ifstream in(file);
  int value = 0;
  return static_cast<bool>(in >> value) && value == 1;
}

int DriveTypeOf(const MountEntry& e, const std::string& disk, const std::string& sysRoot) {
  if (IsNetworkType(e.fsType)) return kDriveNetwork;
  if (e.fsType == "iso9660" || e.fsType == "udf" || disk.starts_with("sr")) return kDriveCdRom;
  if (disk.starts_with("ram") || disk.starts_with("zram") || e.fsType == "tmpfs" ||
      e.fsType == "ramfs") {
    return kDriveRamDisk;
  }
  const bool removableFlag =
      !disk.empty() && ReadsOne(stdfs::path(sysRoot) / "block" / disk / "removable");
  if (removableFlag || IsUnder(e.mountPoint, "/media") || IsUnder(e.mountPoint, "/run/media")) {
    return kDriveRemovable;
  }
  if (!disk.empty() || IsFuseImage(e) || e.mountPoint == "/") return kDriveFixed;
  return kDriveUnknown;
}

PosixDrive MakeDrive(char letter, int type, std::string mountPoint) {
  PosixDrive d;
  d.drive.DriveLetter = std::string(1, letter);
  d.drive.Path = d.drive.DriveLetter + ":";
  d.drive.RootFolder = d.drive.Path + "\\";
  d.drive.DriveType = type;
  d.mountPoint = std::move(mountPoint);
  return d;
}

// Only the last of several mounts on one mount point can be seen there.
std::vector<const MountEntry*> VisibleMounts(const std::vector<MountEntry>& mounts) {
  std::vector<const MountEntry*> visible;
  for (std::size_t i = 0; i < mounts.size(); ++i) {
    const bool covered = std::any_of(mounts.begin() + i + 1, mounts.end(), [&](const auto& later) {
      return later.mountPoint == mounts[i].mountPoint;
    });
    if (!covered) visible.push_back(&mounts[i]);
  }
  return visible;
}

std::vector<std::string> OpticalDisks(const std::string& sysRoot) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& disk : stdfs::directory_iterator(stdfs::path(sysRoot) / "block", ec)) {
    std::string name = disk.path().filename();
    if (name.starts_with("sr")) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

bool CanReadFolder(const std::string& nativePath) {
  DIR* dir = ::opendir(nativePath.c_str());
  if (dir == nullptr) return false;
  ::closedir(dir);
  return true;
}

std::vector<PosixDrive> FindDrives(const std::vector<MountEntry>& mounts,
                                   const std::string& sysRoot) {
  const std::vector<const MountEntry*> visible = VisibleMounts(mounts);
  std::vector<PosixDrive> drives;

  // A file system mounted again elsewhere (a bind mount, another btrfs subvolume) is already
  // reachable through its first letter; a second one would only show the same files twice.
  std::set<std::string> lettered;
  auto identity = [](const MountEntry& e) { return e.fsType + '\0' + e.source; };

  const auto root = std::find_if(visible.begin(), visible.end(),
                                 [](const MountEntry* e) { return e->mountPoint == "/"; });
  if (root != visible.end()) {
    drives.push_back(MakeDrive(kRootLetter, DriveTypeOf(**root, DiskOf(**root, sysRoot), sysRoot),
                               "/"));
    lettered.insert(identity(**root));
  } else {
    drives.push_back(MakeDrive(kRootLetter, kDriveFixed, "/"));
  }

  char next = kFirstLetter;
  for (const MountEntry* e : visible) {
    if (e->mountPoint == "/" || !WantsLetter(*e) || !lettered.insert(identity(*e)).second) {
      continue;
    }
    if (next > kLastLetter) break;
    drives.push_back(MakeDrive(next++, DriveTypeOf(*e, DiskOf(*e, sysRoot), sysRoot),
                               e->mountPoint));
  }

  std::set<std::string> mountedDisks;
  for (const MountEntry& e : mounts) mountedDisks.insert(DiskOf(e, sysRoot));
  for (const std::string& optical : OpticalDisks(sysRoot)) {
    if (next > kLastLetter) break;
    if (!mountedDisks.contains(optical)) drives.push_back(MakeDrive(next++, kDriveCdRom, ""));
  }
  return drives;
}

}  // namespace lumaveil::fs
