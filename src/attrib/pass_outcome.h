// What one attribute pass did, summed up entry by entry: the value the pass returns, so that
// every front end reports the same numbers.
#pragma once

#include <cstdint>

namespace lumaveil::attrib {

// What became of the entries of one kind.
struct EntryTally {
  std::uint64_t changed = 0;       // written (or, in a dry run, would have been)
  std::uint64_t alreadyRight = 0;  // had the attributes already
  std::uint64_t failed = 0;        // could not be read or changed
  std::uint64_t leftAlone = 0;     // links, special files and entries of other volumes

  std::uint64_t Total() const { return changed + alreadyRight + failed + leftAlone; }
};

struct PassOutcome {
  EntryTally files;    // every entry that is not a folder
  EntryTally folders;
  std::uint64_t failedListings = 0;  // folders whose entries could not be reached
  bool targetOpened = false;         // false: the chosen folder itself could not be opened
  bool stopped = false;              // Stop ended the pass early

  // Whether everything the pass reached now has the attributes asked for.
  bool AllRight() const {
    return targetOpened && files.failed == 0 && folders.failed == 0 && failedListings == 0;
  }
};

}  // namespace lumaveil::attrib
