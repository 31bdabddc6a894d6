#include "tree/folder_tree.h"

#include <cctype>

#include "common/run_time_error.h"
#include "tree/image_keys.h"

namespace lumaveil::tree {

namespace {

std::string DriveNodeText(const std::string& letter) {
  std::string text = " ";
  for (char c : letter) text += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text + ":";
}

const std::string kClosed(image::kClosedFolder);
const std::string kOpen(image::kOpenFolder);

}  // namespace

std::string NodeFolderPath(const std::string& key) { return key + "\\"; }

void FolderTree::Form_Load() {
  for (const fs::Drive& drive : fs_.Drives()) {
    try {
      view_.Add(std::nullopt, Relationship::First, drive.Path, DriveNodeText(drive.DriveLetter),
                std::string(DriveImageKey(drive.DriveType, drive.DriveLetter)));
    } catch (const RunTimeError&) {
      // Two drives reported under one path: the second gets no node of its own, and its
      // folders must not be hung under the first one's.
      continue;
    }
    if (drive.IsReady) AddRootFolders(drive);
  }
}

void FolderTree::AddRootFolders(const fs::Drive& drive) {
  // A root that cannot be listed (access denied, medium pulled after the readiness test)
  // leaves its drive without children rather than keeping the window from opening.
  std::vector<fs::Folder> folders;
  try {
    folders = fs_.SubFolders(fs_.GetFolder(drive.RootFolder));
  } catch (const RunTimeError&) {
    return;
  }
  for (const fs::Folder& folder : folders) {
    try {
      view_.Add(drive.Path, Relationship::Child, folder.Path, folder.Name, kClosed);
    } catch (const RunTimeError&) {
    }
  }
}

void FolderTree::tvFolders_Expand(const std::string& key) {
  try {
    if (view_.Image(key) == kClosed) view_.SetImage(key, kOpen);
  } catch (const RunTimeError&) {
  }

  fs::Folder folder;
  try {
    folder = fs_.GetFolder(NodeFolderPath(key));
  } catch (const RunTimeError&) {
    return;  // nothing left to do without the folder: the path box keeps its text
  }
  path_box_.SetText(folder.Path);

  std::vector<fs::Folder> children;
  try {
    children = fs_.SubFolders(folder);
  } catch (const RunTimeError&) {
    return;
  }
  for (const fs::Folder& child : children) AddSubFolders(child);
}

void FolderTree::AddSubFolders(const fs::Folder& parent) {
  std::vector<fs::Folder> folders;
  try {
    folders = fs_.SubFolders(parent);
  } catch (const RunTimeError&) {
    return;
  }
  for (const fs::Folder& folder : folders) {
    // A second expansion tries every add again; the tree's refusal of a known key is what
    // keeps nodes from doubling, and a parent created since its own listing has no node.
    try {
      view_.Add(parent.Path, Relationship::Child, folder.Path, folder.Name, kClosed);
    } catch (const RunTimeError&) {
    }
  }
}

void FolderTree::tvFolders_Collapse(const std::string& key) {
  if (view_.Image(key) == kOpen) view_.SetImage(key, kClosed);
}

void FolderTree::tvFolders_NodeClick(const std::string& key) {
  try {
    fs_.Files(fs_.GetFolder(NodeFolderPath(key)));
  } catch (const RunTimeError& failure) {
    reporter_.Report(failure.Number(), failure.Description());
  }
}

}  // namespace lumaveil::tree
