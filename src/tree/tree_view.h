// What the folder tree's handlers need of a tree control: nodes added under string keys,
// found by key, and a picture per node named by an image-list key. The Qt tree widget
// implements it for the window; tests implement it in memory.
#pragma once

#include <optional>
#include <string>

namespace lumaveil::tree {

// Where Add places a node relative to `relative`. Only Child is accepted with a relative;
// without one the node goes last among the top-level nodes whatever the value.
enum class Relationship : int {
  First = 0,
  Child = 4,
};

// The tree control's own error numbers, as the common controls report them.
namespace error {
inline constexpr int kElementNotFound = 35601;  // a relative or node key that names no node
inline constexpr int kKeyNotUnique = 35602;     // a key already present in the tree
inline constexpr int kInvalidRelationship = 5;  // a relative with a relationship other than Child
}  // namespace error

class TreeView {
 public:
  virtual ~TreeView() = default;

  // Adds a node and nothing else. Throws RunTimeError (and adds nothing) when `key` is already
  // in the tree or `relative` names no node.
  virtual void Add(const std::optional<std::string>& relative, Relationship relationship,
                   const std::string& key, const std::string& text, const std::string& image) = 0;

  virtual bool Contains(const std::string& key) const = 0;

  // The picture key of the node `key`; throws RunTimeError when no node has that key.
  virtual std::string Image(const std::string& key) const = 0;
  // Shows another picture on the node `key` at once; throws RunTimeError for an unknown key.
  virtual void SetImage(const std::string& key, const std::string& image) = 0;
};

}  // namespace lumaveil::tree
