#include "platform/fs/posix_entry.h"

#include <fcntl.h>

#include <cerrno>

namespace lumaveil::fs {

std::string Entry::ProcPath() const { return "/proc/self/fd/" + std::to_string(pathFd.get()); }

std::optional<Entry> OpenEntry(int dirFd, const std::string& name) {
  // ntfs-3g answers the first look-up after it changed an entry's type with EIO; the next works.
  for (int attempt = 0; attempt < 2; ++attempt) {
    Entry entry;
    entry.folderFd = dirFd;
    entry.name = name;
    entry.pathFd = UniqueFd(openat(dirFd, name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    if (entry.pathFd && fstat(entry.pathFd.get(), &entry.st) == 0) return entry;
    if (errno != EIO) break;
  }
  return std::nullopt;
}

}  // namespace lumaveil::fs
