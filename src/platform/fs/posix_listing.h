// The one routine that lists a folder on POSIX, for the folder tree's paths and the pass's
// handles alike.
#pragma once

#include <vector>

#include "platform/fs/file_system.h"

namespace lumaveil::fs {

struct Listing {
  std::vector<DirEntry> entries;  // what was read, in the file system's order
  int error = 0;                  // errno of a read that failed part way, or 0
};

// Every entry of the folder open as `dirFd`, "." and ".." included. The kind comes from the
// listing or, where the file system leaves it out, from a look that does not follow a link;
// an entry gone by then is Unknown. `dirFd` stays open.
Listing ListOpenFolder(int dirFd);

}  // namespace lumaveil::fs
