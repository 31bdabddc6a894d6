// An in-memory file system for the pass's tests: one drive C, folders, files and links in a set
// listing order, unreadable folders, a limit on open handles, and a log of every listing and
// attribute call in the order the pass makes them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/fs/file_system.h"

namespace lumaveil::attrib::testing {

// The native form of a plain ASCII test name.
inline fs::NativeName Native(const std::string& name) { return {name.begin(), name.end()}; }

struct FakeNode {
  fs::EntryKind kind = fs::EntryKind::Folder;
  std::uint32_t attributes = 0;
  bool readable = true;
  bool locked = false;  // its attributes cannot be changed
  bool otherVolume = false;  // mounted here from another volume: never entered nor changed
  std::string path;  // from the drive's root, '/'-separated, for the log
  std::vector<std::pair<fs::NativeName, std::shared_ptr<FakeNode>>> children;  // listing order
};

class FakeFileSystem : public fs::DirectoryOpener {
 public:
  // The error numbers the fake reports: a name the folder does not hold, a locked entry.
  static constexpr int kNoSuchEntry = 2;
  static constexpr int kLockedEntry = 13;

  FakeFileSystem() : root_(std::make_shared<FakeNode>()) {}
  // Takes the tree apart a level at a time: letting the nodes go one inside the other would
  // recurse as deep as the tree.
  ~FakeFileSystem() override {
    std::vector<std::shared_ptr<FakeNode>> pending{root_};
    root_.reset();
    while (!pending.empty()) {
      std::shared_ptr<FakeNode> node = std::move(pending.back());
      pending.pop_back();
      for (auto& child : node->children) pending.push_back(std::move(child.second));
      node->children.clear();
    }
  }

  // Building the tree: '/'-separated paths from the root of C; parents must exist.
  std::shared_ptr<FakeNode> AddFolder(const std::string& path, std::uint32_t attributes = 0) {
    return Add(path, fs::EntryKind::Folder, attributes);
  }
  std::shared_ptr<FakeNode> AddFile(const std::string& path, std::uint32_t attributes = 0) {
    return Add(path, fs::EntryKind::File, attributes);
  }
  std::shared_ptr<FakeNode> AddLink(const std::string& path) {
    return Add(path, fs::EntryKind::Link, 0);
  }
  // For trees too deep to name by path: a child of `parent`, logged under `logPath`.
  static std::shared_ptr<FakeNode> AddChild(FakeNode& parent, const std::string& name,
                                            fs::EntryKind kind, const std::string& logPath = "") {
    auto node = std::make_shared<FakeNode>();
    node->kind = kind;
    node->path = logPath;
    parent.children.emplace_back(Native(name), node);
    return node;
  }
  // Takes an entry out of its folder; open handles to it keep working, as on a real disk.
  void Remove(const std::string& path) {
    auto [parent, name] = Split(path);
    auto& children = Find(parent)->children;
    children.erase(std::find_if(children.begin(), children.end(),
                                [&](const auto& child) { return child.first == Native(name); }));
  }
  std::shared_ptr<FakeNode> Find(const std::string& path) const {
    std::shared_ptr<FakeNode> node = root_;
    std::istringstream parts(path);
    for (std::string part; node && std::getline(parts, part, '/');) {
      if (part.empty()) continue;
      node = Child(*node, Native(part));
    }
    return node;
  }
  std::uint32_t Attributes(const std::string& path) const { return Find(path)->attributes; }

  // Every listing and attribute call, e.g. "list a", "set a/x 2",
  // "set missing x" for a name the folder does not hold.
  std::vector<std::string>& Log() { return log_; }
  const std::vector<std::string>& Log() const { return log_; }
  // Open handles beyond this make OpenFolder fail, as a process out of descriptors would.
  void LimitHandles(int limit) { handleLimit_ = limit; }
  int MostHandlesOpen() const { return mostOpen_; }
  // Called with the folder and the name before every OpenFolder, to change the tree right then.
  void OnOpenFolder(std::function<void(FakeNode&, const fs::NativeName&)> hook) {
    onOpenFolder_ = std::move(hook);
  }
  int HandlesOpen() const { return open_; }

  std::unique_ptr<fs::Directory> OpenDirectory(const std::string& path) override {
    if (path.rfind("C:\\", 0) != 0) return nullptr;
    std::string rest = path.substr(3);
    std::replace(rest.begin(), rest.end(), '\\', '/');
    return OpenNode(Find(rest));
  }

 private:
  class FakeDirectory : public fs::Directory {
   public:
    FakeDirectory(FakeFileSystem& owner, std::shared_ptr<FakeNode> node)
        : owner_(owner), node_(std::move(node)) {
      owner_.mostOpen_ = std::max(owner_.mostOpen_, ++owner_.open_);
    }
    ~FakeDirectory() override { --owner_.open_; }

    std::vector<fs::DirEntry> ListAll() override {
      owner_.log_.push_back("list " + node_->path);
      std::vector<fs::DirEntry> entries;
      if (node_ != owner_.root_) {
        entries = {{Native("."), fs::EntryKind::Folder}, {Native(".."), fs::EntryKind::Folder}};
      }
      for (const auto& [name, child] : node_->children) entries.push_back({name, child->kind});
      return entries;
    }
    std::unique_ptr<fs::Directory> OpenFolder(const fs::NativeName& name) override {
      if (owner_.onOpenFolder_) owner_.onOpenFolder_(*node_, name);
      std::shared_ptr<FakeNode> child = Child(*node_, name);
      if (!child || child->kind != fs::EntryKind::Folder || child->otherVolume) return nullptr;
      return owner_.OpenNode(child);
    }
    // Logs every call, whether or not a write turns out to be needed.
    fs::AttributeChange ChangeAttributes(const fs::NativeName& name,
                                         const fs::AttributeTarget& target,
                                         const fs::BeforeWrite& beforeWrite) override {
      using Result = fs::AttributeChange::Result;
      fs::AttributeChange change;
      std::shared_ptr<FakeNode> child = Child(*node_, name);
      if (!child) {
        owner_.log_.push_back("set missing " + fs::DisplayText(name));
        change.error = kNoSuchEntry;
        return change;
      }
      owner_.log_.push_back("set " + child->path + " " + std::to_string(target.bits));
      if (child->kind == fs::EntryKind::Link || child->otherVolume) {
        change.result = Result::kLeftAlone;
        return change;
      }
      change.before = {child->attributes, 0};
      if (fs::AlreadyMatches(change.before, target)) {
        change.result = Result::kAlreadyRight;
        return change;
      }
      if (beforeWrite && !beforeWrite(change.before)) {
        change.result = Result::kHeldBack;
        return change;
      }
      if (child->locked) {
        change.error = kLockedEntry;
        return change;
      }
      child->attributes = target.bits;
      change.result = Result::kChanged;
      return change;
    }

    std::optional<fs::FolderIdentity> Identity() override {
      return fs::FolderIdentity{0, reinterpret_cast<std::uintptr_t>(node_.get())};
    }

   private:
    FakeFileSystem& owner_;
    std::shared_ptr<FakeNode> node_;
  };

  std::unique_ptr<fs::Directory> OpenNode(const std::shared_ptr<FakeNode>& node) {
    if (!node || node->kind != fs::EntryKind::Folder || !node->readable) return nullptr;
    if (handleLimit_ >= 0 && open_ >= handleLimit_) return nullptr;
    return std::make_unique<FakeDirectory>(*this, node);
  }

  static std::shared_ptr<FakeNode> Child(const FakeNode& node, const fs::NativeName& name) {
    for (const auto& [childName, child] : node.children) {
      if (childName == name) return child;
    }
    return nullptr;
  }
  static std::pair<std::string, std::string> Split(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {"", path};
    return {path.substr(0, slash), path.substr(slash + 1)};
  }
  std::shared_ptr<FakeNode> Add(const std::string& path, fs::EntryKind kind,
                                std::uint32_t attributes) {
    auto [parent, name] = Split(path);
    auto node = AddChild(*Find(parent), name, kind, path);
    node->attributes = attributes;
    return node;
  }

  std::shared_ptr<FakeNode> root_;
  std::vector<std::string> log_;
  std::function<void(FakeNode&, const fs::NativeName&)> onOpenFolder_;
  int handleLimit_ = -1;
  int open_ = 0;
  int mostOpen_ = 0;
};

}  // namespace lumaveil::attrib::testing
