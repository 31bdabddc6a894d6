// One entry of an open folder, held by an O_PATH descriptor that never follows a link: the
// attribute calls act on exactly the inode that was checked, whatever happens to the name later.
#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>

#include "platform/fs/posix_unique_fd.h"

namespace lumaveil::fs {

struct Entry {
  UniqueFd pathFd;  // O_PATH: good for fstat, fstatfs and /proc/self/fd/N, never for data
  struct stat st {};
  // Where it was found, for the rare call that must look the name up afresh (on ntfs-3g a
  // change of type leaves the old inode unusable). The folder is not owned.
  int folderFd = -1;
  std::string name;

  bool IsFolder() const { return S_ISDIR(st.st_mode); }
  bool IsRegularFile() const { return S_ISREG(st.st_mode); }
  // Links, FIFOs, sockets and devices: never opened, never changed.
  bool IsSpecial() const { return !IsFolder() && !IsRegularFile(); }
  // The inode by a path that later calls can use without a name lookup in the folder.
  std::string ProcPath() const;
};

// `name` must be a plain name of the folder open as `dirFd`; nullopt when it cannot be reached.
std::optional<Entry> OpenEntry(int dirFd, const std::string& name);

}  // namespace lumaveil::fs
