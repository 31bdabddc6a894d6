// The tree view contract kept in memory, with the node order the tests compare against.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "common/run_time_error.h"
#include "tree/tree_view.h"

namespace lumaveil::testing {

class MemoryTreeView : public tree::TreeView {
 public:
  struct Node {
    std::string text, image;
    std::vector<std::string> children;
  };

  void Add(const std::optional<std::string>& relative, tree::Relationship, const std::string& key,
           const std::string& text, const std::string& image) override {
    if (nodes_.count(key)) throw RunTimeError(tree::error::kKeyNotUnique, "Key is not unique");
    std::vector<std::string>& siblings = relative ? Find(*relative).children : top_;
    siblings.push_back(key);
    nodes_[key] = {text, image, {}};
  }
  bool Contains(const std::string& key) const override { return nodes_.count(key) != 0; }
  std::string Image(const std::string& key) const override { return At(key).image; }
  void SetImage(const std::string& key, const std::string& image) override {
    Find(key).image = image;
  }

  const std::vector<std::string>& TopLevel() const { return top_; }
  const Node& At(const std::string& key) const {
    return const_cast<MemoryTreeView*>(this)->Find(key);
  }
  std::size_t Count() const { return nodes_.size(); }

 private:
  Node& Find(const std::string& key) {
    auto it = nodes_.find(key);
    if (it == nodes_.end()) throw RunTimeError(tree::error::kElementNotFound, "Not found");
    return it->second;
  }

  std::map<std::string, Node> nodes_;
  std::vector<std::string> top_;
};

}  // namespace lumaveil::testing
