// Drive-form paths ("E:\DCIM\a.jpg") and native paths ("/media/usb/DCIM/a.jpg"), both ways.
// Drive form is UTF-8 with "\" between names, so a native name that is not UTF-8 or that holds
// a backslash has no drive form: such an entry is out of reach, like one the platform refuses.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fs/file_system.h"

namespace lumaveil::fs {

// A drive-form path taken apart: the letter in upper case and the folder names below the root,
// with ".", ".." and empty names already resolved.
struct DrivePath {
  char letter = 'C';
  std::vector<std::string> names;

  std::string Text() const;  // "C:\" for the root, "C:\Windows" (no trailing "\") below it
  std::string Name() const;  // the last name, "" for the root
};

// "C:", "c:\", "C:\a\..\b\", "C:/a" (either separator, as Windows takes them). Nothing for a path
// without a drive, a drive-relative path ("C:a") or a name that is not UTF-8.
std::optional<DrivePath> ParseDrivePath(std::string_view text);

// Whether a native name can stand in a drive-form path.
bool HasDriveForm(const NativeName& name);

class PathMap {
 public:
  struct Mount {
    char letter;             // upper case
    std::string mountPoint;  // native, absolute
  };

  explicit PathMap(std::vector<Mount> mounts);

  // The native path of a drive-form path; nothing when its drive has no mount point.
  std::optional<std::string> ToNative(const DrivePath& path) const;

 private:
  std::vector<Mount> mounts_;  // letters in upper case
};

}  // namespace lumaveil::fs
