// The tree view contract over a QTreeWidget: nodes under unique keys, pictures by image-list
// key. Qt shows an expand button only on nodes that have children.
#pragma once

#include <QTreeWidget>
#include <string>
#include <unordered_map>

#include "ui/qt/image_list.h"
#include "tree/tree_view.h"

namespace lumaveil::qt {

class QtTreeView : public tree::TreeView {
 public:
  QtTreeView(QTreeWidget& widget, const ImageList& images);

  void Add(const std::optional<std::string>& relative, tree::Relationship relationship,
           const std::string& key, const std::string& text, const std::string& image) override;
  bool Contains(const std::string& key) const override;
  std::string Image(const std::string& key) const override;
  void SetImage(const std::string& key, const std::string& image) override;

  // The key of a node of this tree; empty for an item that is not one of its nodes.
  static std::string KeyOf(const QTreeWidgetItem* item);
  // The node under `key`, or nullptr.
  QTreeWidgetItem* Item(const std::string& key) const;

 private:
  QTreeWidgetItem* Find(const std::string& key) const;

  QTreeWidget& widget_;
  const ImageList& images_;
  std::unordered_map<std::string, QTreeWidgetItem*> nodes_;
};

}  // namespace lumaveil::qt
