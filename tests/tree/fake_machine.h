// An in-memory machine for the folder tree's tests: drives, and folders in drive form listed in
// the order they were added. Any folder's listings can be made to fail, or the folder removed.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/run_time_error.h"
#include "platform/fs/file_system.h"

namespace lumaveil::testing {

class FakeMachine : public fs::FolderBrowser {
 public:
  struct Failure {
    int number;
    std::string description;
  };

  void AddDrive(const std::string& letter, int type, bool ready) {
    drives_.push_back({letter, letter + ":", type, ready, letter + ":\\"});
    folders_[letter + ":\\"];
  }
  void SetReady(const std::string& letter, bool ready) {
    for (fs::Drive& d : drives_) d.IsReady = d.DriveLetter == letter ? ready : d.IsReady;
  }
  // Adds `path` ("C:\Windows\Fonts") after its parent's other sub-folders, parents first.
  void AddFolder(const std::string& path) {
    const std::string parent = path.substr(0, std::max<std::size_t>(path.rfind('\\'), 3));
    if (!folders_.count(parent)) AddFolder(parent);
    if (!folders_.count(path)) folders_[parent].subfolders.push_back(path);
    folders_[path];
  }
  // The folder is gone from the disk; its parent's listing still names it until re-added.
  void Remove(const std::string& path) { folders_.erase(path); }
  void FailSubFolders(const std::string& path, Failure f) { folders_[path].subfolder_failure = f; }
  void FailFiles(const std::string& path, Failure f) { folders_[path].file_failure = f; }

  std::vector<fs::Drive> Drives() override { return drives_; }

  fs::Folder GetFolder(const std::string& path) override {
    std::string canonical = path;
    if (canonical.size() > 3 && canonical.back() == '\\') canonical.pop_back();
    Find(canonical);
    const std::size_t slash = canonical.rfind('\\');
    return {canonical, slash == 2 ? "" : canonical.substr(slash + 1)};
  }
  std::vector<fs::Folder> SubFolders(const fs::Folder& folder) override {
    const Node& node = Find(folder.Path);
    if (node.subfolder_failure) Throw(*node.subfolder_failure);
    std::vector<fs::Folder> result;
    for (const std::string& path : node.subfolders) {
      if (folders_.count(path)) result.push_back({path, path.substr(path.rfind('\\') + 1)});
    }
    return result;
  }
  std::vector<std::string> Files(const fs::Folder& folder) override {
    const Node& node = Find(folder.Path);
    if (node.file_failure) Throw(*node.file_failure);
    return {};
  }

 private:
  struct Node {
    std::vector<std::string> subfolders;
    std::optional<Failure> subfolder_failure;
    std::optional<Failure> file_failure;
  };

  [[noreturn]] static void Throw(const Failure& f) { throw RunTimeError(f.number, f.description); }

  const Node& Find(const std::string& path) const {
    for (const fs::Drive& d : drives_) {
      if (path.rfind(d.RootFolder, 0) == 0 && !d.IsReady) Throw({71, "Disk not ready"});
    }
    auto it = folders_.find(path);
    if (it == folders_.end()) Throw({76, "Path not found"});
    return it->second;
  }

  std::vector<fs::Drive> drives_;
  std::map<std::string, Node> folders_;
};

}  // namespace lumaveil::testing
