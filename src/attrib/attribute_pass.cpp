#include "attrib/attribute_pass.h"

#include <optional>
#include <utility>
#include <vector>

#include "attrib/attempt.h"
#include "attrib/attribute_mask.h"

namespace lumaveil::attrib {

namespace {

constexpr std::int32_t kLargestCount = 2147483647;

bool IsPseudoEntry(const fs::NativeName& name) {
  static const fs::NativeName kDot(1, fs::NativeChar('.'));
  static const fs::NativeName kDotDot(2, fs::NativeChar('.'));
  return name == kDot || name == kDotDot;
}

bool MayBeFolder(fs::EntryKind kind) {
  return kind == fs::EntryKind::Folder || kind == fs::EntryKind::Unknown;
}

// Links and special files are never changed: the listing already says what they are.
bool IsLeftAlone(fs::EntryKind kind) {
  return kind == fs::EntryKind::Link || kind == fs::EntryKind::Special;
}

// One folder of the walk that has been collected and counted, with the entries still to
// be walked and given the mask.
struct FolderWork {
  std::uint32_t mask = 0;
  std::vector<fs::DirEntry> entries;
  std::size_t next = 0;        // the entry being worked on
  bool walked = false;         // whether that entry's own walk is over
  bool entered = false;        // whether that entry was opened as a folder
  std::optional<int> enterError;  // why that entry, a folder, could not be opened
  std::size_t labelLength = 0; // this folder's share of the label path
};

// The recursion of the pass, unrolled onto an explicit stack so that no depth of tree can
// exhaust the call stack. The order of listings, counts, attribute calls, events and Stop
// tests is the recursive one.
class Walk {
 public:
  Walk(PassHost& host, PassObserver* observer, FolderChain& chain, std::string folder,
       std::int32_t& count, PassOutcome& outcome)
      : host_(host), observer_(observer), chain_(chain), label_(std::move(folder)),
        count_(count), outcome_(outcome) {}

  void Run() {
    std::vector<FolderWork> stack;
    {
      FolderWork target;
      target.labelLength = label_.size();
      if (!CollectAndCount(target)) return;
      stack.push_back(std::move(target));
    }
    while (!stack.empty()) {
      FolderWork& work = stack.back();
      if (work.next == work.entries.size()) {
        if (!work.entries.empty()) Attempt([&] { host_.PumpEvents(); });
        stack.pop_back();
        if (!stack.empty()) {
          chain_.Leave();
          PopFolder();
          label_.resize(stack.back().labelLength);
        }
        continue;
      }
      const fs::DirEntry& entry = work.entries[work.next];
      if (!work.walked) {
        work.walked = true;
        const std::size_t index = stack.size() - 1;
        // Descend may reallocate the stack: `work` is not used after it.
        std::optional<int> enterError;
        const bool entered = Descend(stack, entry, enterError);
        stack[index].entered = entered;
        stack[index].enterError = enterError;
        continue;
      }
      Change(entry, work.mask, work.entered || entry.kind == fs::EntryKind::Folder,
             work.enterError);
      work.walked = false;
      work.entered = false;
      work.enterError.reset();
      ++work.next;
    }
  }

 private:
  // Gives one entry of the deepest folder the mask, and counts and tells what became of it.
  // `enterError`: the entry is a folder that could not be opened, which counts as a failed
  // listing unless the entry is one the pass leaves alone (a folder of another volume).
  void Change(const fs::DirEntry& entry, std::uint32_t mask, bool isFolder,
              const std::optional<int>& enterError) {
    fs::AttributeChange change;
    if (IsLeftAlone(entry.kind)) {
      change.result = fs::AttributeChange::Result::kLeftAlone;
    } else {
      const EntryPlace place{folders_, entry.name, folderIds_};
      const fs::BeforeWrite beforeWrite = [&](const fs::EntryAttributes& before) {
        bool write = true;
        if (observer_) Attempt([&] { write = observer_->BeforeWrite(place, isFolder, before, mask); });
        return write;
      };
      Attempt([&] {
        fs::Directory* folder = chain_.Current();
        change = folder ? folder->ChangeAttributes(entry.name, fs::AttributeTarget{mask, {}},
                                                   beforeWrite)
                        : fs::AttributeChange{};
        if (!folder) change.error = fs::LastErrorNumber();
      });
    }
    if (enterError && change.result != fs::AttributeChange::Result::kLeftAlone) {
      ListingFailed(entry.name, *enterError);
    }
    Tally(change, isFolder);
    if (observer_) {
      Attempt([&] { observer_->EntryDone(EntryPlace{folders_, entry.name, folderIds_}, isFolder, change,
                                     mask); });
    }
  }

  void Tally(const fs::AttributeChange& change, bool isFolder) {
    EntryTally& tally = isFolder ? outcome_.folders : outcome_.files;
    switch (change.result) {
      case fs::AttributeChange::Result::kChanged:
      case fs::AttributeChange::Result::kHeldBack: ++tally.changed; break;
      case fs::AttributeChange::Result::kAlreadyRight: ++tally.alreadyRight; break;
      case fs::AttributeChange::Result::kFailed: ++tally.failed; break;
      case fs::AttributeChange::Result::kLeftAlone: ++tally.leftAlone; break;
    }
  }

  void ListingFailed(const fs::NativeName& name, int error) {
    ++outcome_.failedListings;
    if (observer_) Attempt([&] { observer_->ListingFailed(EntryPlace{folders_, name, folderIds_}, error); });
  }

  // Opens the entry as a sub-folder and, unless Stop ends its walk before it gets to its
  // entries, pushes it. An entry that is not a folder, or cannot be opened, has nothing inside.
  // True when the entry was opened as a folder; `enterError` is set when a folder could not be.
  bool Descend(std::vector<FolderWork>& stack, const fs::DirEntry& entry,
               std::optional<int>& enterError) {
    if (!MayBeFolder(entry.kind)) return false;
    if (!chain_.Enter(entry.name)) {
      // An entry of unknown kind that cannot be opened is most likely a file.
      if (entry.kind == fs::EntryKind::Folder) enterError = fs::LastErrorNumber();
      return false;
    }
    const std::size_t parentLength = label_.size();
    bool pushed = false;
    bool named = false;
    Attempt([&] {
      PushFolder(entry.name);
      named = true;
      label_ += fs::DisplayText(entry.name);
      label_ += '\\';
      FolderWork child;
      child.labelLength = label_.size();
      if (CollectAndCount(child)) {
        stack.push_back(std::move(child));
        pushed = true;
      }
    });
    if (!pushed) {
      chain_.Leave();
      if (named) PopFolder();
      label_.resize(parentLength);
    }
    return true;
  }

  // The deepest folder of the chain up to its entries' walk: reads the mask, collects every
  // entry but "." and "..", and counts its files. False when Stop ends the folder here.
  bool CollectAndCount(FolderWork& work) {
    work.mask = BuildAttributeMask(host_);
    fs::Directory* folder = chain_.Current();
    std::vector<fs::DirEntry> listing;
    if (folder) Attempt([&] { listing = folder->ListAll(); });
    // Below the target every folder lists at least "." and "..": nothing at all means the
    // listing failed, perhaps for want of a descriptor, so try again with fewer held.
    if (listing.empty() && chain_.Depth() > 0) {
      chain_.RetryWithFewerHandles([&] {
        folder = chain_.Current();
        if (folder) Attempt([&] { listing = folder->ListAll(); });
        return !listing.empty();
      });
      if (listing.empty()) {
        const int error = fs::LastErrorNumber();
        // The folder's own place: its parent's names and its name.
        // Put back where they were taken from, so the vectors have the room.
        fs::NativeName name = std::move(folders_.back());
        const std::uint64_t id = folderIds_.back();
        PopFolder();
        ListingFailed(name, error);
        folders_.push_back(std::move(name));
        folderIds_.push_back(id);
      }
    }
    for (fs::DirEntry& entry : listing) {
      if (!IsPseudoEntry(entry.name)) work.entries.push_back(std::move(entry));
    }
    if (StopRaised()) return false;

    // The files are counted from the same listing: a folder is listed once.
    for (const fs::DirEntry& file : work.entries) {
      if (file.kind == fs::EntryKind::Folder) continue;
      if (StopRaised()) return false;
      if (count_ < kLargestCount) ++count_;
      Attempt([&] { host_.ShowCurrentFile(label_, fs::DisplayText(file.name)); });
      Attempt([&] { host_.ShowFileCount(": " + std::to_string(count_)); });
      Attempt([&] { host_.PumpEvents(); });
    }
    return true;
  }

  void PushFolder(const fs::NativeName& name) {
    folders_.push_back(name);
    try {
      folderIds_.push_back(++lastFolderId_);
    } catch (...) {
      folders_.pop_back();
      throw;
    }
  }

  void PopFolder() {
    folders_.pop_back();
    folderIds_.pop_back();
  }

  bool StopRaised() {
    bool raised = false;
    Attempt([&] { raised = host_.StopRequested(); });
    if (raised) outcome_.stopped = true;
    return raised;
  }

  PassHost& host_;
  PassObserver* observer_;
  FolderChain& chain_;
  std::vector<fs::NativeName> folders_;  // the names from the target down to the deepest folder
  std::vector<std::uint64_t> folderIds_;  // their numbers (see EntryPlace)
  std::uint64_t lastFolderId_ = 0;
  std::string label_;  // the path of the deepest folder, with its trailing backslash
  std::int32_t& count_;
  PassOutcome& outcome_;
};

std::string WithTrailingBackslash(std::string folder) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

}  // namespace

AttributePass::AttributePass(fs::DirectoryOpener& fileSystem, PassHost& host)
    : fileSystem_(fileSystem), host_(host) {}

PassOutcome AttributePass::ScanFolder(const std::string& folder, std::int32_t& FileCount) {
  std::string path;
  std::unique_ptr<fs::Directory> directory;
  Attempt([&] {
    path = WithTrailingBackslash(folder);
    directory = fileSystem_.OpenDirectory(path);
  });
  return ScanOpenFolder(std::move(directory), path, FileCount);
}

PassOutcome AttributePass::ScanOpenFolder(std::unique_ptr<fs::Directory> directory,
                                          const std::string& folder, std::int32_t& FileCount) {
  PassOutcome outcome;
  outcome.targetOpened = directory != nullptr;
  try {
    FolderChain chain(std::move(directory), handleBudget_);
    Walk(host_, observer_, chain, WithTrailingBackslash(folder), FileCount, outcome).Run();
  } catch (const std::bad_alloc&) {
    // What was changed so far stays changed, and the outcome counts it.
  }
  return outcome;
}

}  // namespace lumaveil::attrib
