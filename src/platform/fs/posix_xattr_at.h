// Extended attribute calls relative to an open folder, by a name they never follow if it is a
// link: getxattrat and setxattrat, which Linux 6.13 added and the C library may not know yet.
#pragma once

#include <sys/types.h>

#include <cstddef>

namespace lumaveil::fs {

// Whether this kernel (and any sandbox around the process) has the calls; asked once.
bool KernelHasXattrAt();
// getxattr(2) and setxattr(2) of `name` in the folder open as `dirFd`, with AT_SYMLINK_NOFOLLOW:
// their results, with errno.
ssize_t GetXattrAt(int dirFd, const char* name, const char* attribute, void* value,
                   std::size_t size);
int SetXattrAt(int dirFd, const char* name, const char* attribute, const void* value,
               std::size_t size);

}  // namespace lumaveil::fs
