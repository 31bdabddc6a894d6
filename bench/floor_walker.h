// The floor of the job, which the pass benchmarks measure the pass against: a bare walker that
// lists each folder once and, per entry, reads the attribute value once and writes it once
// (only where it changes), by name relative to the open folder without following links.
#pragma once

#include <cstdint>
#include <string>

namespace lumaveil::bench {

// Where the values live: user.DOSATTRIB text on the local disk, system.ntfs_attrib on ntfs-3g.
enum class Store { kDosAttribText, kNtfsAttrib };

struct FloorOptions {
  // getxattrat/setxattrat (where the kernel has them) rather than l* calls after fchdir.
  bool xattrAt = true;
  // One statx per entry as well: what the pass needs for links, mounts and Read-Only.
  bool statEach = false;
  Store store = Store::kDosAttribText;
};

// Gives every entry below `root` the attributes `mask`, putting the working directory back
// afterwards.
void FloorWalk(const std::string& root, const FloorOptions& options, std::uint32_t mask);

}  // namespace lumaveil::bench
