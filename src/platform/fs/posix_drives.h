// Drive letters off Windows: "/" is C:, and the mounts a user would call drives (disks, sticks,
// optical media, NTFS through FUSE, network shares) take D: onwards in mount order. An optical
// drive with nothing mounted is listed too, as a CD-ROM drive that is not ready.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/fs/file_system.h"
#include "platform/fs/mountinfo.h"

namespace lumaveil::fs {

struct PosixDrive {
  Drive drive;             // IsReady is not filled in here: readiness is a question of now
  std::string mountPoint;  // native; empty for a drive with nothing mounted
};

// Whether the folder at a native path can be read now.
using ReadinessProbe = std::function<bool(const std::string& nativePath)>;
bool CanReadFolder(const std::string& nativePath);

// The drives of a mount table, in letter order. `sysRoot` is the sysfs folder ("/sys").
std::vector<PosixDrive> FindDrives(const std::vector<MountEntry>& mounts,
                                   const std::string& sysRoot);

}  // namespace lumaveil::fs
