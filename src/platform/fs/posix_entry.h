// One entry of an open folder, reached by its plain name relative to that folder's descriptor:
// the folder cannot be swapped under the calls, and none of them follows a link in the name.
// This costs one name lookup per call and no descriptor of the entry's own, which is what keeps
// a pass near one system call per entry.
//
// The name may come to mean another inode between the calls (a rename in the folder). That can
// only lead to another entry of the same folder; a link or a special file put there is refused
// by the kernel for user extended attributes, and a reopen for data checks the inode first.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/fs/posix_unique_fd.h"

namespace lumaveil::fs {

struct Entry {
  int dirFd = -1;    // the folder it is in (AT_FDCWD for a path relative to the process)
  std::string name;  // its name there
  struct stat st {};
  std::optional<std::uint64_t> mountId;  // nullopt where the kernel cannot tell it by name

  bool IsFolder() const { return S_ISDIR(st.st_mode); }
  bool IsRegularFile() const { return S_ISREG(st.st_mode); }
  // Links, FIFOs, sockets and devices: never opened, never changed.
  bool IsSpecial() const { return !IsFolder() && !IsRegularFile(); }
};

// How current the status of a looked-up entry must be. On FUSE and network file systems asking
// the file system costs a round trip per entry (ntfs-3g keeps no attributes in the kernel), while
// what the kernel holds from the name's look-up is exact for the type, inode, device and mount,
// which never change for one inode. Where the attribute is not read from the mode, that is all a
// pass needs, so it may take the kernel's copy.
enum class Freshness { kFromFileSystem, kKernelCopyWillDo };

// Looks `name` up in the folder open as `dirFd`, without following a link; nullopt when it
// cannot be reached.
std::optional<Entry> OpenEntry(int dirFd, const std::string& name,
                               Freshness freshness = Freshness::kFromFileSystem);

// The extended attribute calls on the entry itself, never a link's target: what getxattr(2) and
// setxattr(2) return, with errno.
ssize_t GetEntryXattr(const Entry& entry, const char* attribute, void* value, std::size_t size);
int SetEntryXattr(const Entry& entry, const char* attribute, const void* value, std::size_t size);
int RemoveEntryXattr(const Entry& entry, const char* attribute);
// chmod(2) of the entry, refused for a link.
int ChmodEntry(const Entry& entry, mode_t mode);
// The entry opened read-only and non-blocking for an ioctl or a look at its data; an invalid
// descriptor when it is special or no longer the inode that was looked up.
UniqueFd OpenEntryData(const Entry& entry);

// The mount of the folder open as `fd`; nullopt when the kernel cannot tell.
std::optional<std::uint64_t> MountIdOf(int fd);

}  // namespace lumaveil::fs
