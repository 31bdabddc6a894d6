#include "platform/fs/posix_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace lumaveil::fs {
namespace {

EntryKind KindOfMode(mode_t mode) {
  if (S_ISDIR(mode)) return EntryKind::Folder;
  if (S_ISREG(mode)) return EntryKind::File;
  if (S_ISLNK(mode)) return EntryKind::Link;
  return EntryKind::Special;
}

EntryKind KindOfDirent(int dirFd, const dirent& entry) {
  switch (entry.d_type) {
    case DT_DIR: return EntryKind::Folder;
    case DT_REG: return EntryKind::File;
    case DT_LNK: return EntryKind::Link;
    case DT_UNKNOWN: break;
    default: return EntryKind::Special;
  }
  // Some file systems leave the type out of the listing; ask without following.
  struct stat st {};
  if (fstatat(dirFd, entry.d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) return EntryKind::Unknown;
  return KindOfMode(st.st_mode);
}

}  // namespace

// Reads through a duplicate so the stream's own descriptor can be closed by closedir() while
// the caller's stays open for the calls that follow.
Listing ListOpenFolder(int dirFd) {
  Listing listing;
  const int copy = fcntl(dirFd, F_DUPFD_CLOEXEC, 0);
  if (copy < 0) {
    listing.error = errno;
    return listing;
  }
  DIR* stream = fdopendir(copy);
  if (!stream) {
    listing.error = errno;
    close(copy);
    return listing;
  }
  // A duplicate shares the read position, so an earlier listing must not leave us at its end.
  rewinddir(stream);
  for (;;) {
    errno = 0;
    const dirent* entry = readdir(stream);
    if (entry == nullptr) break;
    listing.entries.push_back(DirEntry{entry->d_name, KindOfDirent(dirFd, *entry)});
  }
  listing.error = errno;
  closedir(stream);
  return listing;
}

}  // namespace lumaveil::fs
