// /proc/self/mountinfo as data: the drive list and the choice of attribute mechanism both start
// here. Parsing takes text, so tests feed fixtures.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumaveil::fs {

struct MountEntry {
  int mountId = 0;
  int parentId = 0;
  unsigned devMajor = 0;
  unsigned devMinor = 0;
  std::string root;          // field 4, unescaped
  std::string mountPoint;    // field 5, unescaped (\040 -> blank, \011, \012, \134)
  std::string mountOptions;  // field 6
  std::string fsType;        // after " - "
  std::string source;        // after the type, unescaped
  std::string superOptions;
};

// Lines that cannot be parsed are skipped.
std::vector<MountEntry> ParseMountInfo(std::string_view text);
// The text of a mountinfo file; empty when it cannot be read.
std::string ReadMountInfo(const std::string& path = "/proc/self/mountinfo");

// What a mount's file-system type says of it: an ordinary file system, or one of the kernel's
// interfaces and the system's own mounts (proc, sysfs, tmpfs, overlay, squashfs, ...), which are
// nobody's drive. Of those, some keep ordinary files (in memory, or stacked over another file
// system) and take attributes as any folder does; the rest have none to set.
enum class PseudoFs { kNo, kWithFiles, kWithoutFiles };
PseudoFs PseudoFsOfType(std::string_view fsType);

}  // namespace lumaveil::fs
