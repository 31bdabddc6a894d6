// An undo's observer for tests that look at the outcome and the files, not at each entry.
#pragma once

#include "attrib/journal_undo.h"

namespace lumaveil::attrib::testing {

class SilentUndo : public UndoObserver {
 public:
  void ChangedSince(const EntryPlace&) override {}
  void Failed(const EntryPlace&, int) override {}
  void Restored(const EntryPlace&, const JournalRecord&) override {}
};

}  // namespace lumaveil::attrib::testing
