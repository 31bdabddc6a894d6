// What a pass tells whoever watches it entry by entry (the journal, the command line's report),
// beyond the window's labels. Every call happens on the pass's own thread, in the pass's order.
// A call may throw a run-time error or run out of memory: the pass then goes on as if the
// observer had nothing to say.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/fs/file_system.h"

namespace lumaveil::attrib {

// Where an entry is: the native names of the folders from the target down to its own folder
// (empty for an entry of the target itself), and its own name.
struct EntryPlace {
  const std::vector<fs::NativeName>& folders;
  const fs::NativeName& name;
  // One number per folder of `folders`, never given to another folder in the same walk: where
  // two places have the same number at one level, they share that folder and every one above
  // it. In a deep tree the names run to megabytes, so what changed since the last place is told
  // from the numbers, from the deepest level up, without comparing or copying names.
  const std::vector<std::uint64_t>& folderIds;
};

class PassObserver {
 public:
  virtual ~PassObserver() = default;

  // The entry is about to get `mask` in place of `before`. False holds the write back (a dry
  // run); the entry then counts as changed. Called only when something would change.
  virtual bool BeforeWrite(const EntryPlace& place, bool isFolder,
                           const fs::EntryAttributes& before, std::uint32_t mask) = 0;
  // What became of the entry.
  virtual void EntryDone(const EntryPlace& place, bool isFolder, const fs::AttributeChange& change,
                         std::uint32_t mask) = 0;
  // The folder `place` could not be opened or listed, for the reason `error`
  // (see fs::ErrorText); nothing inside it was reached.
  virtual void ListingFailed(const EntryPlace& place, int error) = 0;
};

}  // namespace lumaveil::attrib
