// An in-memory machine for the folder tree's tests: drives with their readiness and type, and
// folders in drive form with sub-folders and files in a fixed listing order. Any folder can be
// made to fail its listings, be deleted, or be created after its parent was listed.
#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/run_time_error.h"
#include "platform/fs/file_system.h"

namespace lumaveil::testing {

class FakeMachine : public fs::FileSystem {
 public:
  struct Failure {
    int number;
    std::string description;
  };

  // A drive "C" gets the path "C:" and the root "C:\"; the letter is kept as given.
  void AddDrive(const std::string& letter, int type, bool ready) {
    drives_.push_back({letter, letter + ":", type, ready, letter + ":\\"});
    folders_[letter + ":\\"];
  }

  void SetReady(const std::string& letter, bool ready) {
    for (fs::Drive& d : drives_) {
      if (d.DriveLetter == letter) d.IsReady = ready;
    }
  }

  // Adds `path` ("C:\Windows\System32") and, in front of it, every missing parent.
  void AddFolder(const std::string& path) {
    const std::string parent = ParentOf(path);
    if (!folders_.count(parent)) AddFolder(parent);
    std::vector<std::string>& siblings = folders_[parent].subfolders;
    if (std::find(siblings.begin(), siblings.end(), path) == siblings.end()) {
      siblings.push_back(path);
    }
    folders_[path];
  }

  void AddFile(const std::string& folder, const std::string& name) {
    folders_.at(folder).files.push_back(name);
  }

  // Removes the folder and everything below it, as a user deleting it would.
  void DeleteFolder(const std::string& path) {
    std::vector<std::string>& siblings = folders_.at(ParentOf(path)).subfolders;
    siblings.erase(std::find(siblings.begin(), siblings.end(), path));
    for (auto it = folders_.begin(); it != folders_.end();) {
      if (it->first == path || it->first.rfind(path + "\\", 0) == 0) {
        it = folders_.erase(it);
      } else {
        ++it;
      }
    }
  }

  void FailSubFolders(const std::string& path, Failure failure) {
    folders_.at(path).subfolder_failure = failure;
  }
  void FailFiles(const std::string& path, Failure failure) {
    folders_.at(path).file_failure = failure;
  }

  // Every path that GetFolder was asked for, in order.
  const std::vector<std::string>& Opened() const { return opened_; }

  std::vector<fs::Drive> Drives() override { return drives_; }

  fs::Folder GetFolder(const std::string& path) override {
    opened_.push_back(path);
    std::string canonical = path;
    if (canonical.size() > 3 && canonical.back() == '\\') canonical.pop_back();
    if (canonical.size() == 2) canonical += '\\';
    CheckDriveReady(canonical);
    if (!folders_.count(canonical)) throw RunTimeError(error::kPathNotFound, "Path not found");
    const std::size_t slash = canonical.rfind('\\');
    return {canonical, canonical.size() == 3 ? "" : canonical.substr(slash + 1)};
  }

  std::vector<fs::Folder> SubFolders(const fs::Folder& folder) override {
    const Node& node = Find(folder.Path);
    if (node.subfolder_failure) Throw(*node.subfolder_failure);
    std::vector<fs::Folder> result;
    for (const std::string& path : node.subfolders) {
      result.push_back({path, path.substr(path.rfind('\\') + 1)});
    }
    return result;
  }

  std::vector<std::string> Files(const fs::Folder& folder) override {
    const Node& node = Find(folder.Path);
    if (node.file_failure) Throw(*node.file_failure);
    return node.files;
  }

  std::unique_ptr<fs::Directory> OpenDirectory(const std::string&) override { return nullptr; }

 private:
  struct Node {
    std::vector<std::string> subfolders;
    std::vector<std::string> files;
    std::optional<Failure> subfolder_failure;
    std::optional<Failure> file_failure;
  };

  static std::string ParentOf(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == 2 ? path.substr(0, 3) : path.substr(0, slash);
  }
  [[noreturn]] static void Throw(const Failure& f) { throw RunTimeError(f.number, f.description); }

  void CheckDriveReady(const std::string& path) const {
    for (const fs::Drive& d : drives_) {
      if (path.rfind(d.RootFolder, 0) == 0 && !d.IsReady) {
        throw RunTimeError(error::kDiskNotReady, "Disk not ready");
      }
    }
  }

  const Node& Find(const std::string& path) const {
    CheckDriveReady(path);
    auto it = folders_.find(path);
    if (it == folders_.end()) throw RunTimeError(error::kPathNotFound, "Path not found");
    return it->second;
  }

  std::vector<fs::Drive> drives_;
  std::map<std::string, Node> folders_;
  std::vector<std::string> opened_;
};

}  // namespace lumaveil::testing
