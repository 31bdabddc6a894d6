// The one thing the tree does to the path box: replace its text with a folder path.
#pragma once

#include <string>

namespace lumaveil::tree {

class PathBox {
 public:
  virtual ~PathBox() = default;
  virtual void SetText(const std::string& text) = 0;
};

}  // namespace lumaveil::tree
