#include "attrib/journal_undo.h"

#include <algorithm>

#include "attrib/attempt.h"
#include "attrib/folder_chain.h"
#include "attrib/journal_store.h"
#include "platform/fs/durable_file.h"
#include "platform/fs/native_folder.h"

namespace lumaveil::attrib {
namespace {

// The permission bits a pass may change: only the write bits follow Read-Only.
constexpr std::uint32_t kWriteBits = 0222;

// Read-Only, Hidden and System: the attributes only a person or a program sets. Archive is left
// out, since the system sets it by itself whenever a file is written (and some file systems
// keep it on every file).
constexpr std::uint32_t kChosenBits =
    fs::attr::kReadOnly | fs::attr::kHidden | fs::attr::kSystem;

// Whether the entry is still as the pass left it: its chosen bits are the pass's, and its
// permissions differ from the old ones in the write bits at most.
bool AsThePassLeftIt(const fs::EntryAttributes& now, const JournalRecord& record) {
  return (now.bits & kChosenBits) == (record.mask & kChosenBits) &&
         (now.mode & ~kWriteBits) == (record.before.mode & ~kWriteBits);
}

std::unique_ptr<fs::Directory> OpenTarget(const JournalHeader& header,
                                          fs::DirectoryOpener& fileSystem) {
  std::unique_ptr<fs::Directory> target;
  Attempt([&] {
    target = header.driveFormTarget.empty() ? fs::OpenNativeFolder(header.nativeTarget)
                                            : fileSystem.OpenDirectory(header.driveFormTarget);
  });
  return target;
}

// Where the chain of an undo is: the folders from the target down, by name and by index in the
// journal's folders (which serve as the places' folder numbers).
struct ChainPlace {
  std::vector<fs::NativeName> names;
  std::vector<std::uint64_t> ids;
};

// The folders from the target down to `folder`, where the chain could not get to it.
ChainPlace RecordedPlace(const std::vector<JournalFolder>& folders, std::size_t folder) {
  ChainPlace place;
  for (; folders[folder].depth > 0; folder = folders[folder].parent) {
    place.names.push_back(folders[folder].name);
    place.ids.push_back(folder);
  }
  std::reverse(place.names.begin(), place.names.end());
  std::reverse(place.ids.begin(), place.ids.end());
  return place;
}

// Moves the chain to `folder`, leaving and entering as few levels as it can: up to the deepest
// folder it is in already, then down. False when a folder on the way cannot be opened.
bool MoveTo(FolderChain& chain, ChainPlace& at, const std::vector<JournalFolder>& folders,
            std::size_t folder) {
  auto onThePath = [&](std::size_t f) {
    const std::size_t depth = folders[f].depth;
    return depth == 0 || (depth <= at.ids.size() && at.ids[depth - 1] == f);
  };
  std::vector<std::size_t> down;
  for (; !onThePath(folder); folder = folders[folder].parent) down.push_back(folder);
  while (at.ids.size() > folders[folder].depth) {
    chain.Leave();
    at.names.pop_back();
    at.ids.pop_back();
  }
  for (auto next = down.rbegin(); next != down.rend(); ++next) {
    if (!chain.Enter(folders[*next].name)) return false;
    at.names.push_back(folders[*next].name);
    at.ids.push_back(*next);
  }
  return true;
}

}  // namespace

UndoOutcome UndoJournal(const std::filesystem::path& journal, fs::DirectoryOpener& fileSystem,
                        UndoObserver& observer) {
  UndoOutcome outcome;
  // Opened before it is read, and kept open: a pass still writing it holds it, and an undo that
  // could not be marked could be run twice.
  bool busy = false;
  const auto mark = fs::DurableFile::OpenExisting(journal, &busy);
  if (busy) {
    outcome.status = UndoStatus::kBeingWritten;
    return outcome;
  }
  const auto bytes = ReadWholeFile(journal);
  if (!bytes) return outcome;
  JournalReadResult read = DecodeJournal(*bytes);
  if (!read.contents) {
    if (read.error == JournalReadError::kOtherSystem) outcome.status = UndoStatus::kOtherSystem;
    return outcome;
  }
  const JournalContents& contents = *read.contents;
  outcome.header = contents.header;
  outcome.cutShort = contents.cutShort;
  if (contents.header.state == JournalState::kUndone) {
    outcome.status = UndoStatus::kAlreadyUndone;
    return outcome;
  }
  if (!mark) {
    outcome.status = UndoStatus::kCannotMark;
    return outcome;
  }
  Attempt([&] { observer.Begin(contents.header); });
  std::unique_ptr<fs::Directory> target = OpenTarget(contents.header, fileSystem);
  if (!target) {
    outcome.status = UndoStatus::kTargetGone;
    return outcome;
  }

  FolderChain chain(std::move(target));
  ChainPlace at;
  // The pass changed bottom-up; its undo goes the other way, each folder before its contents.
  for (auto record = contents.records.rbegin(); record != contents.records.rend(); ++record) {
    fs::AttributeChange change;
    bool reached = false;
    Attempt([&] {
      fs::Directory* folder =
          MoveTo(chain, at, contents.folders, record->folder) ? chain.Current() : nullptr;
      if (!folder) {
        change.error = fs::LastErrorNumber();
        return;
      }
      reached = true;
      fs::AttributeTarget old{record->before.bits, std::nullopt};
      if (!record->isFolder) old.mode = record->before.mode;
      change = folder->ChangeAttributes(
          record->name, old,
          [&](const fs::EntryAttributes& now) { return AsThePassLeftIt(now, *record); });
    });
    // The chain stops short of a folder that cannot be entered; the place is the record's own.
    ChainPlace recorded;
    if (!reached) Attempt([&] { recorded = RecordedPlace(contents.folders, record->folder); });
    const ChainPlace& where = reached ? at : recorded;
    const EntryPlace place{where.names, record->name, where.ids};
    switch (change.result) {
      case fs::AttributeChange::Result::kChanged:
        ++outcome.restored;
        Attempt([&] { observer.Restored(place, *record); });
        break;
      case fs::AttributeChange::Result::kAlreadyRight: ++outcome.alreadyBack; break;
      case fs::AttributeChange::Result::kHeldBack:
      case fs::AttributeChange::Result::kLeftAlone:
        ++outcome.changedSince;
        Attempt([&] { observer.ChangedSince(place); });
        break;
      case fs::AttributeChange::Result::kFailed:
        ++outcome.failed;
        Attempt([&] { observer.Failed(place, change.error); });
        break;
    }
  }
  const char undone = static_cast<char>(JournalState::kUndone);
  if (!mark->WriteAt(kJournalStateOffset, &undone, 1) || !mark->Sync()) {
    outcome.status = UndoStatus::kCannotMark;
    return outcome;
  }
  outcome.status = UndoStatus::kDone;
  return outcome;
}

}  // namespace lumaveil::attrib
