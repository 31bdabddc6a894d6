// The file system off Windows, in drive form: letters fixed when the object is made (so a tree
// key keeps naming the same mount for the whole run), readiness asked afresh each time.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fs/file_system.h"
#include "platform/fs/posix_drives.h"
#include "platform/fs/posix_path_map.h"

namespace lumaveil::fs {

class PosixFileSystem final : public FileSystem {
 public:
  // `mountInfo` is the text of a mountinfo file, `sysRoot` the sysfs folder.
  PosixFileSystem(std::string_view mountInfo, const std::string& sysRoot,
                  ReadinessProbe isReadable = CanReadFolder);

  std::vector<Drive> Drives() override;
  Folder GetFolder(const std::string& path) override;
  std::vector<Folder> SubFolders(const Folder& folder) override;
  std::vector<std::string> Files(const Folder& folder) override;
  std::unique_ptr<Directory> OpenDirectory(const std::string& path) override;

 private:
  struct Location {
    DrivePath path;
    std::string native;
    const PosixDrive* drive;
  };

  // Throws 76 for a path that is not in drive form or names no drive, 71 for a drive with
  // nothing mounted.
  Location Locate(const std::string& path) const;
  [[noreturn]] void Fail(int errorNumber, const PosixDrive& drive) const;
  // Calls take(name, isFolder) for every entry but "." and ".." that has a drive form.
  template <typename Take>
  void ForEachEntry(const Location& where, Take take) const;

  std::vector<PosixDrive> drives_;
  PathMap map_;
  ReadinessProbe isReadable_;
};

}  // namespace lumaveil::fs
