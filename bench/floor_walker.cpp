#include "floor_walker.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/fs/posix_xattr_at.h"

namespace lumaveil::bench {
namespace {

namespace fs = lumaveil::fs;

// The floor's two calls per entry, through the cheapest lookup that is still safe: relative
// to the pinned folder with getxattrat/setxattrat where the kernel has them (Linux 6.13), or,
// as fts does, from inside the folder after fchdir, with l* calls on the plain name.
class FloorWalker {
 public:
  FloorWalker(const FloorOptions& options, std::uint32_t mask)
      : xattrAt_(options.xattrAt), stat_(options.stat), store_(options.store),
        mask_(mask) {}

  // Depth first, like the pass: a folder's entries after its contents.
  void Walk(int dirFd) {
    std::vector<std::pair<std::string, unsigned char>> entries;
    if (DIR* stream = fdopendir(dup(dirFd))) {
      while (const dirent* entry = readdir(stream)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) {
          continue;
        }
        entries.emplace_back(entry->d_name, entry->d_type);
      }
      closedir(stream);
    }
    for (const auto& [name, type] : entries) {
      if (type == DT_DIR) {
        const int sub =
            openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (sub >= 0) {
          Walk(sub);
          close(sub);
        }
      }
      if (Stats(type)) {
        struct statx sx {};
        if (statx(dirFd, name.c_str(), AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
                  STATX_BASIC_STATS | STATX_MNT_ID, &sx) != 0) {
          continue;
        }
      }
      ReadAndWrite(dirFd, name.c_str(), type == DT_DIR);
    }
  }

 private:
  bool Stats(unsigned char type) const {
    switch (stat_) {
      case FloorStat::kEach: return true;
      case FloorStat::kNone: return false;
      case FloorStat::kWhereTheModeIsRead: return store_ == Store::kDosAttribText && type == DT_REG;
    }
    return true;
  }

  void ReadAndWrite(int dirFd, const char* name, bool folder) {
    char stored[256];
    char value[16];
    std::size_t size = 0;
    if (store_ == Store::kNtfsAttrib) {
      std::uint32_t current = 0;
      if (Get(dirFd, name, "system.ntfs_attrib", &current, sizeof current) != sizeof current) {
        return;
      }
      const std::uint32_t wanted = (current & ~0x3127u) | mask_;
      if (wanted == current) return;
      std::memcpy(value, &wanted, sizeof wanted);
      Set(dirFd, name, "system.ntfs_attrib", value, sizeof wanted);
      return;
    }
    size = static_cast<std::size_t>(std::snprintf(
               value, sizeof value, "0x%x", static_cast<unsigned>(mask_ | (folder ? 0x10 : 0)))) +
           1;
    const ssize_t got = Get(dirFd, name, "user.DOSATTRIB", stored, sizeof stored);
    if (got == static_cast<ssize_t>(size) && std::memcmp(stored, value, size) == 0) return;
    Set(dirFd, name, "user.DOSATTRIB", value, size);
  }

  ssize_t Get(int dirFd, const char* name, const char* attribute, void* buffer, std::size_t size) {
    if (xattrAt_) return fs::GetXattrAt(dirFd, name, attribute, buffer, size);
    if (!MoveInto(dirFd)) return -1;
    return lgetxattr(name, attribute, buffer, size);
  }

  void Set(int dirFd, const char* name, const char* attribute, const void* value,
           std::size_t size) {
    if (xattrAt_) {
      fs::SetXattrAt(dirFd, name, attribute, value, size);
    } else if (MoveInto(dirFd)) {
      lsetxattr(name, attribute, value, size, 0);
    }
  }

  bool MoveInto(int dirFd) {
    if (cwd_ == dirFd) return true;
    if (fchdir(dirFd) != 0) return false;
    cwd_ = dirFd;
    return true;
  }

  bool xattrAt_;
  FloorStat stat_;
  Store store_;
  std::uint32_t mask_;
  int cwd_ = -1;  // the folder descriptor the working directory was last moved to
};

}  // namespace

void FloorWalk(const std::string& root, const FloorOptions& options, std::uint32_t mask) {
  const int home = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const int top = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (top >= 0) {
    FloorWalker(options, mask).Walk(top);
    close(top);
  }
  if (home >= 0) {
    if (fchdir(home) != 0) std::perror("fchdir");
    close(home);
  }
}

}  // namespace lumaveil::bench
