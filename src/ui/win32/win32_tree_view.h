// The tree view contract over a common-controls TreeView: nodes under unique keys, pictures by
// image-list key (the twelve pictures of imgMain, in their order). The control shows an expand
// button only on nodes that have children.
#pragma once

#include <deque>
#include <string>
#include <unordered_map>

#include "tree/tree_view.h"
#include "ui/win32/windows_api.h"

namespace lumaveil::win32 {

class Win32TreeView : public tree::TreeView {
 public:
  explicit Win32TreeView(HWND tree) : tree_(tree) {}

  void Add(const std::optional<std::string>& relative, tree::Relationship relationship,
           const std::string& key, const std::string& text, const std::string& image) override;
  bool Contains(const std::string& key) const override;
  std::string Image(const std::string& key) const override;
  void SetImage(const std::string& key, const std::string& image) override;

  // The key of a node of this tree; empty for an item that is not one of its nodes.
  std::string KeyOf(HTREEITEM item) const;
  // The node under `key`, or null.
  HTREEITEM Item(const std::string& key) const;

 private:
  struct Node {
    std::string key;
    std::string image;
    HTREEITEM item = nullptr;
  };
  Node& Find(const std::string& key) const;

  HWND tree_;
  // Each node's item data points at its entry here; a deque keeps them in place.
  std::deque<Node> storage_;
  std::unordered_map<std::string, Node*> nodes_;
};

// imgMain: the twelve 16 x 16 pictures of the tree from the program's resources, their mask
// colour RGB(192,192,192) showing what lies behind. Owned by the caller (ImageList_Destroy).
HIMAGELIST CreateMainImageList();

}  // namespace lumaveil::win32
