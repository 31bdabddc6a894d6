// Undoing a pass from its journal: every recorded entry gets back the attributes (and, where
// Read-Only lives in the permissions, the mode) it had before the pass. The walk goes the
// pass's way, through folder handles from the target, never following a link; an entry that is
// no longer as the pass left it was changed since by someone else and is left alone.
#pragma once

#include <cstdint>
#include <filesystem>

#include "attrib/journal_format.h"
#include "attrib/pass_observer.h"
#include "platform/fs/file_system.h"

namespace lumaveil::attrib {

// What the undo tells its caller entry by entry.
class UndoObserver {
 public:
  virtual ~UndoObserver() = default;
  // The journal was read: its pass, before any entry is looked at.
  virtual void Begin(const JournalHeader&) {}
  // The entry's attributes are no longer what the pass set; it keeps them.
  virtual void ChangedSince(const EntryPlace& place) = 0;
  // The entry could not be reached or restored, for the reason `error` (see fs::ErrorText).
  virtual void Failed(const EntryPlace& place, int error) = 0;
  // The entry got its old attributes back.
  virtual void Restored(const EntryPlace& place, const JournalRecord& record) = 0;
};

enum class UndoStatus {
  kDone,           // every entry was looked at (see the counts for what became of each)
  kUnreadable,     // no journal could be read there
  kOtherSystem,    // a journal of a system whose names are of another width
  kAlreadyUndone,  // it was undone before
  kBeingWritten,   // a pass is still writing it; nothing was done
  kTargetGone,     // the folder of the pass cannot be opened
  kCannotMark,     // the journal cannot be marked as undone, so nothing was done
};

struct UndoOutcome {
  UndoStatus status = UndoStatus::kUnreadable;
  JournalHeader header;
  bool cutShort = false;          // the journal ended in the middle of a record
  std::uint64_t restored = 0;
  std::uint64_t alreadyBack = 0;  // had the old attributes again already
  std::uint64_t changedSince = 0;
  std::uint64_t failed = 0;
};

// Undoes the pass of the journal at `journal` and marks the journal undone. `fileSystem` opens
// a target kept in drive form.
UndoOutcome UndoJournal(const std::filesystem::path& journal, fs::DirectoryOpener& fileSystem,
                        UndoObserver& observer);

}  // namespace lumaveil::attrib
