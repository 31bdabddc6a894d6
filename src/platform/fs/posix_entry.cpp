#include "platform/fs/posix_entry.h"

#include <fcntl.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/fs/posix_xattr_at.h"

namespace lumaveil::fs {
namespace {

// Without the *at calls, the folder is reached through its descriptor's entry in /proc and the
// name looked up in it by the l* calls, which do not follow it either.
std::string PathThroughFolder(const Entry& entry) {
  if (entry.dirFd == AT_FDCWD) return entry.name;
  return "/proc/self/fd/" + std::to_string(entry.dirFd) + "/" + entry.name;
}

void FillStat(const struct statx& sx, struct stat& st) {
  st = {};
  st.st_dev = makedev(sx.stx_dev_major, sx.stx_dev_minor);
  st.st_ino = sx.stx_ino;
  st.st_mode = sx.stx_mode;
  st.st_nlink = sx.stx_nlink;
  st.st_uid = sx.stx_uid;
  st.st_gid = sx.stx_gid;
  st.st_size = static_cast<off_t>(sx.stx_size);
  st.st_mtim = {sx.stx_mtime.tv_sec, sx.stx_mtime.tv_nsec};
  st.st_ctim = {sx.stx_ctime.tv_sec, sx.stx_ctime.tv_nsec};
  st.st_atim = {sx.stx_atime.tv_sec, sx.stx_atime.tv_nsec};
}

std::optional<std::uint64_t> MountIdFromFdInfo(int fd) {
  std::optional<std::uint64_t> id;
  const std::string path = "/proc/self/fdinfo/" + std::to_string(fd);
  if (std::FILE* info = std::fopen(path.c_str(), "re")) {
    char line[128];
    while (std::fgets(line, sizeof line, info)) {
      unsigned long long parsed = 0;
      if (std::sscanf(line, "mnt_id: %llu", &parsed) == 1) {
        id = parsed;
        break;
      }
    }
    std::fclose(info);
  }
  return id;
}

}  // namespace

std::optional<Entry> OpenEntry(int dirFd, const std::string& name, Freshness freshness) {
  constexpr unsigned kWanted = STATX_BASIC_STATS | STATX_MNT_ID;
  int flags = AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT;
  if (freshness == Freshness::kKernelCopyWillDo) flags |= AT_STATX_DONT_SYNC;
  // ntfs-3g answers the first look-up after it changed an entry's type with EIO; the next works.
  for (int attempt = 0; attempt < 2; ++attempt) {
    struct statx sx {};
    if (statx(dirFd, name.c_str(), flags, kWanted, &sx) == 0) {
      Entry entry;
      entry.dirFd = dirFd;
      entry.name = name;
      FillStat(sx, entry.st);
      if (sx.stx_mask & STATX_MNT_ID) entry.mountId = sx.stx_mnt_id;
      return entry;
    }
    if (errno != EIO) break;
  }
  return std::nullopt;
}

ssize_t GetEntryXattr(const Entry& entry, const char* attribute, void* value, std::size_t size) {
  if (KernelHasXattrAt()) {
    return GetXattrAt(entry.dirFd, entry.name.c_str(), attribute, value, size);
  }
  return lgetxattr(PathThroughFolder(entry).c_str(), attribute, value, size);
}

int SetEntryXattr(const Entry& entry, const char* attribute, const void* value,
                  std::size_t size) {
  if (KernelHasXattrAt()) {
    return SetXattrAt(entry.dirFd, entry.name.c_str(), attribute, value, size);
  }
  return lsetxattr(PathThroughFolder(entry).c_str(), attribute, value, size, 0);
}

// Only a change that could not be finished removes a value, so the slower path serves.
int RemoveEntryXattr(const Entry& entry, const char* attribute) {
  return lremovexattr(PathThroughFolder(entry).c_str(), attribute);
}

int ChmodEntry(const Entry& entry, mode_t mode) {
  return fchmodat(entry.dirFd, entry.name.c_str(), mode, AT_SYMLINK_NOFOLLOW);
}

UniqueFd OpenEntryData(const Entry& entry) {
  if (entry.IsSpecial()) return UniqueFd();
  UniqueFd pathFd(openat(entry.dirFd, entry.name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
  struct stat st {};
  if (!pathFd || fstat(pathFd.get(), &st) != 0 || st.st_dev != entry.st.st_dev ||
      st.st_ino != entry.st.st_ino || (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))) {
    return UniqueFd();
  }
  const std::string proc = "/proc/self/fd/" + std::to_string(pathFd.get());
  return UniqueFd(open(proc.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
}

std::optional<std::uint64_t> MountIdOf(int fd) {
  struct statx sx {};
  if (statx(fd, "", AT_EMPTY_PATH, STATX_MNT_ID, &sx) == 0 && (sx.stx_mask & STATX_MNT_ID)) {
    return sx.stx_mnt_id;
  }
  // Before Linux 5.8 statx does not tell the mount; /proc has it since 3.15.
  return MountIdFromFdInfo(fd);
}

}  // namespace lumaveil::fs
