#include "attrib/folder_chain.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace lumaveil::attrib {

namespace {
constexpr std::size_t kSmallestBudget = 2;
}  // namespace

FolderChain::FolderChain(std::unique_ptr<fs::Directory> root, std::size_t handleBudget)
    : root_(std::move(root)) {
  SetBudget(handleBudget);
}

void FolderChain::SetBudget(std::size_t budget) {
  budget_ = std::max(budget, kSmallestBudget);
  window_ = budget_ / 2;
  checkpointStride_ = std::max<std::size_t>(window_, 1);
}

bool FolderChain::KeepsOpen(std::size_t index) const {
  if (index + window_ >= levels_.size()) return true;
  return (index + 1) % checkpointStride_ == 0;
}

void FolderChain::Close(std::size_t index) {
  if (levels_[index].handle) {
    levels_[index].handle.reset();
    --open_;
  }
}

void FolderChain::Trim() {
  const std::size_t checkpointBudget = budget_ - window_;
  for (;;) {
    const std::size_t above = levels_.size() > window_ ? levels_.size() - window_ : 0;
    if (above / checkpointStride_ <= checkpointBudget) break;
    checkpointStride_ *= 2;
  }
  for (std::size_t index = 0; index < levels_.size(); ++index) {
    if (!KeepsOpen(index)) Close(index);
  }
}

fs::Directory* FolderChain::Current() {
  if (levels_.empty()) return root_.get();
  const std::size_t deepest = levels_.size() - 1;
  if (levels_[deepest].handle) return levels_[deepest].handle.get();

  std::size_t first = deepest;  // the first level to reopen
  while (first > 0 && !levels_[first - 1].handle) --first;
  fs::Directory* parent = first == 0 ? root_.get() : levels_[first - 1].handle.get();
  if (!parent) return nullptr;
  std::unique_ptr<fs::Directory> passing;  // a level on the way that is not kept
  for (std::size_t index = first; index <= deepest; ++index) {
    std::unique_ptr<fs::Directory> reopened = Reopen(*parent, index);
    if (!reopened) return nullptr;
    if (KeepsOpen(index)) {
      levels_[index].handle = std::move(reopened);
      ++open_;
      parent = levels_[index].handle.get();
    } else {
      passing = std::move(reopened);
      parent = passing.get();
    }
  }
  return levels_[deepest].handle.get();
}

std::unique_ptr<fs::Directory> FolderChain::Reopen(fs::Directory& parent, std::size_t index) {
  std::unique_ptr<fs::Directory> reopened = parent.OpenFolder(levels_[index].name);
  if (!reopened || reopened->Identity() != levels_[index].identity) return nullptr;
  return reopened;
}

bool FolderChain::Enter(const fs::NativeName& name) {
  fs::Directory* parent = Current();
  if (!parent) return false;
  std::unique_ptr<fs::Directory> child = parent->OpenFolder(name);
  if (!child && !RetryWithFewerHandles([&] {
        parent = Current();
        child = parent ? parent->OpenFolder(name) : nullptr;
        return child != nullptr;
      })) {
    return false;
  }
  // A folder whose identity cannot be asked could not be recognised when reopened.
  const std::optional<fs::FolderIdentity> identity = child->Identity();
  if (!identity) return false;
  levels_.push_back(Level{name, *identity, std::move(child)});
  ++open_;
  if (levels_.size() > window_) {
    const std::size_t leaving = levels_.size() - 1 - window_;
    if (!KeepsOpen(leaving)) Close(leaving);
  }
  if (open_ > budget_) Trim();
  return true;
}

bool FolderChain::RetryWithFewerHandles(const std::function<bool()>& retry) {
  if (open_ <= kSmallestBudget) return false;
  const std::size_t previous = budget_;
  SetBudget(open_ / 2);
  Trim();
  if (retry()) return true;
  SetBudget(previous);
  Trim();
  return false;
}

void FolderChain::Leave() {
  if (levels_.empty()) return;
  Close(levels_.size() - 1);
  levels_.pop_back();
}

}  // namespace lumaveil::attrib
