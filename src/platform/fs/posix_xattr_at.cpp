#include "platform/fs/posix_xattr_at.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace lumaveil::fs {
namespace {

// The numbers are the same on every architecture with the common system call table.
#ifndef __NR_setxattrat
#define __NR_setxattrat 463
#endif
#ifndef __NR_getxattrat
#define __NR_getxattrat 464
#endif

struct XattrArgs {
  std::uint64_t value;
  std::uint32_t size;
  std::uint32_t flags;
};

}  // namespace

bool KernelHasXattrAt() {
  static const bool has = [] {
    XattrArgs args{0, 0, 0};
    const long result = syscall(__NR_getxattrat, AT_FDCWD, "/", AT_SYMLINK_NOFOLLOW,
                                "user.lumaveil-probe", &args, sizeof args);
    // A sandbox's filter may answer EPERM for a call it does not know.
    return result >= 0 || (errno != ENOSYS && errno != EPERM && errno != EINVAL);
  }();
  return has;
}

ssize_t GetXattrAt(int dirFd, const char* name, const char* attribute, void* value,
                   std::size_t size) {
  XattrArgs args{reinterpret_cast<std::uintptr_t>(value), static_cast<std::uint32_t>(size), 0};
  return static_cast<ssize_t>(
      syscall(__NR_getxattrat, dirFd, name, AT_SYMLINK_NOFOLLOW, attribute, &args, sizeof args));
}

int SetXattrAt(int dirFd, const char* name, const char* attribute, const void* value,
               std::size_t size) {
  XattrArgs args{reinterpret_cast<std::uintptr_t>(value), static_cast<std::uint32_t>(size), 0};
  return static_cast<int>(
      syscall(__NR_setxattrat, dirFd, name, AT_SYMLINK_NOFOLLOW, attribute, &args, sizeof args));
}

}  // namespace lumaveil::fs
