// The floor of the job, which the pass benchmarks measure the pass against: a bare walker that
// lists each folder once and, per entry, reads the attributes once (the value, and the mode
// where Read-Only is kept there) and writes the value once (only where it changes), by name
// relative to the open folder without following links.
#pragma once

#include <cstdint>
#include <string>

namespace lumaveil::bench {

// Where the values live: user.DOSATTRIB text on the local disk, system.ntfs_attrib on ntfs-3g.
enum class Store { kDosAttribText, kNtfsAttrib };

// Which entries the floor also stats. Where the value is user.DOSATTRIB, Read-Only is the
// mode's write bit, so reading a file's attributes means reading its mode as well: that floor
// is the job's. The others are there to show what the stat itself costs.
enum class FloorStat { kWhereTheModeIsRead, kNone, kEach };

struct FloorOptions {
  // getxattrat/setxattrat (where the kernel has them) rather than l* calls after fchdir.
  bool xattrAt = true;
  FloorStat stat = FloorStat::kWhereTheModeIsRead;
  Store store = Store::kDosAttribText;
};

// Gives every entry below `root` the attributes `mask`, putting the working directory back
// afterwards.
void FloorWalk(const std::string& root, const FloorOptions& options, std::uint32_t mask);

}  // namespace lumaveil::bench
