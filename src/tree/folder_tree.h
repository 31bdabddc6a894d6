// The folder tree's handlers: fill the tree with the drives at start-up, keep it one level
// ahead of the user on each expansion, switch folder pictures, and check a clicked folder.
#pragma once

#include <string>

#include "platform/fs/file_system.h"
#include "tree/error_reporter.h"
#include "tree/path_box.h"
#include "tree/tree_view.h"

namespace lumaveil::tree {

// The folder a node stands for: its key with a separator appended ("C:" -> "C:\").
std::string NodeFolderPath(const std::string& key);

class FolderTree {
 public:
  FolderTree(fs::FolderBrowser& file_system, TreeView& view, PathBox& path_box,
             ErrorReporter& reporter)
      : fs_(file_system), view_(view), path_box_(path_box), reporter_(reporter) {}

  // One top-level node per drive in drive-letter order; under each ready drive, its root's
  // folders. A drive whose root cannot be listed keeps no children; nothing here throws.
  void Form_Load();

  // The node `key` was opened: open-folder picture, its folder into the path box, and the
  // sub-folders of each of its children added. Every step that fails is skipped silently.
  void tvFolders_Expand(const std::string& key);

  // The node `key` was closed: back to the closed-folder picture. Nothing else changes.
  void tvFolders_Collapse(const std::string& key);

  // The node `key` was clicked: read its folder's file list; report a failure to the user.
  void tvFolders_NodeClick(const std::string& key);

 private:
  void AddRootFolders(const fs::Drive& drive);
  void AddSubFolders(const fs::Folder& parent);

  fs::FolderBrowser& fs_;
  TreeView& view_;
  PathBox& path_box_;
  ErrorReporter& reporter_;
};

}  // namespace lumaveil::tree
