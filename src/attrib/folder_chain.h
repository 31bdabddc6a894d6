// The chain of open folders from the pass's target down to the folder being walked.
//
// Each level is reached from its parent's open handle without following links, so a folder
// swapped for a link mid-pass cannot lead outside the target, and no path string ever grows
// with the depth. A deep tree would need one descriptor per level, more than a process may hold,
// so only a budget of handles stays open: the deepest levels, plus checkpoints spaced evenly
// above them (the spacing doubles as the chain grows). A level whose handle was given up is
// opened again by name from the nearest open level above it when the walk comes back to it.
// A name can meanwhile lead to another folder (one renamed into its place from elsewhere), so
// each level keeps the identity it had when it was entered, and a reopened folder with another
// identity counts as vanished: the walk never follows a name out of the tree it entered.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "platform/fs/file_system.h"

namespace lumaveil::attrib {

class FolderChain {
 public:
  static constexpr std::size_t kDefaultHandleBudget = 256;

  // `root` is the target folder; it stays open as long as the chain. `handleBudget` (at least
  // 2) bounds the handles held for the levels below it, but for one more while a level is
  // being entered.
  explicit FolderChain(std::unique_ptr<fs::Directory> root,
                       std::size_t handleBudget = kDefaultHandleBudget);

  // The deepest folder, reopened if its handle was given up; nullptr when it can no longer be
  // reached (it or a folder above it vanished, or was replaced by something else).
  fs::Directory* Current();
  // Opens the sub-folder `name` of the deepest folder and makes it the deepest. False, with the
  // chain unchanged, when it cannot be opened.
  bool Enter(const fs::NativeName& name);
  // Drops the deepest level.
  void Leave();
  // Levels below the target.
  std::size_t Depth() const { return levels_.size(); }
  // For a failure that may be for want of a descriptor rather than the folder's own: gives up
  // half the handles held and runs `retry` once more, keeping to the smaller budget only if
  // that helped. False when there was nothing to give up or the retry failed too.
  bool RetryWithFewerHandles(const std::function<bool()>& retry);

 private:
  struct Level {
    fs::NativeName name;
    fs::FolderIdentity identity;
    std::unique_ptr<fs::Directory> handle;
  };

  // The level `index` opened again by name from `parent`; nullptr when that name no longer
  // leads to the folder that was entered.
  std::unique_ptr<fs::Directory> Reopen(fs::Directory& parent, std::size_t index);

  bool KeepsOpen(std::size_t index) const;
  void Close(std::size_t index);
  // Gives up every handle the current window and spacing no longer keep.
  void Trim();
  void SetBudget(std::size_t budget);

  std::unique_ptr<fs::Directory> root_;
  std::vector<Level> levels_;
  std::size_t budget_;
  std::size_t window_;            // the deepest levels kept open
  std::size_t checkpointStride_;  // above the window, every stride-th level is kept open
  std::size_t open_ = 0;
};

}  // namespace lumaveil::attrib
