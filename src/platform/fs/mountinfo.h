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

}  // namespace lumaveil::fs
