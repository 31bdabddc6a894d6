#include "attrib/attribute_pass.h"

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

// One folder of the walk that has been collected and counted, with the entries still to
// be walked and given the mask.
struct FolderWork {
  std::uint32_t mask = 0;
  std::vector<fs::DirEntry> entries;
  std::size_t next = 0;        // the entry being worked on
  bool walked = false;         // whether that entry's own walk is over
  std::size_t labelLength = 0; // this folder's share of the label path
};

// The recursion of the pass, unrolled onto an explicit stack so that no depth of tree can
// exhaust the call stack. The order of listings, counts, attribute calls, events and Stop
// tests is the recursive one.
class Walk {
 public:
  Walk(PassHost& host, FolderChain& chain, std::string folder, std::int32_t& count)
      : host_(host), chain_(chain), label_(std::move(folder)), count_(count) {}

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
        if (!work.entries.empty()) Attempt([&] { host_.DoEvents(); });
        stack.pop_back();
        if (!stack.empty()) {
          chain_.Leave();
          label_.resize(stack.back().labelLength);
        }
        continue;
      }
      const fs::DirEntry& entry = work.entries[work.next];
      if (!work.walked) {
        work.walked = true;
        Descend(stack, entry);  // may reallocate the stack: `work` is not used after this
        continue;
      }
      Attempt([&] {
        if (fs::Directory* folder = chain_.Current()) folder->SetAttributes(entry.name, work.mask);
      });
      work.walked = false;
      ++work.next;
    }
  }

 private:
  // Opens the entry as a sub-folder and, unless Stop ends its walk before it gets to its
  // entries, pushes it. An entry that is not a folder, or cannot be opened, has nothing inside.
  void Descend(std::vector<FolderWork>& stack, const fs::DirEntry& entry) {
    if (!MayBeFolder(entry.kind) || !chain_.Enter(entry.name)) return;
    const std::size_t parentLength = label_.size();
    bool pushed = false;
    Attempt([&] {
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
      label_.resize(parentLength);
    }
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
      Attempt([&] { host_.SetLblFileName(label_ + fs::DisplayText(file.name)); });
      Attempt([&] { host_.SetLblValue1(": " + std::to_string(count_)); });
      Attempt([&] { host_.DoEvents(); });
    }
    return true;
  }

  bool StopRaised() {
    bool raised = false;
    Attempt([&] { raised = host_.StopFlag(); });
    return raised;
  }

  PassHost& host_;
  FolderChain& chain_;
  std::string label_;  // the path of the deepest folder, with its trailing backslash
  std::int32_t& count_;
};

std::string WithTrailingBackslash(std::string folder) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

}  // namespace

AttributePass::AttributePass(fs::FileSystem& fileSystem, PassHost& host)
    : fileSystem_(fileSystem), host_(host) {}

void AttributePass::ScanFolder(const std::string& folder, std::int32_t& FileCount) {
  std::string path;
  std::unique_ptr<fs::Directory> directory;
  try {
    path = WithTrailingBackslash(folder);
    directory = fileSystem_.OpenDirectory(path);
  } catch (...) {
  }
  ScanOpenFolder(std::move(directory), path, FileCount);
}

void AttributePass::ScanOpenFolder(std::unique_ptr<fs::Directory> directory,
                                   const std::string& folder, std::int32_t& FileCount) {
  try {
    FolderChain chain(std::move(directory), handleBudget_);
    Walk(host_, chain, WithTrailingBackslash(folder), FileCount).Run();
  } catch (...) {
    // Only running out of memory gets here; what was changed so far stays changed.
  }
}

}  // namespace lumaveil::attrib
