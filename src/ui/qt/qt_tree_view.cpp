#include "ui/qt/qt_tree_view.h"

#include "common/run_time_error.h"

namespace lumaveil::qt {

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

QtTreeView::QtTreeView(QTreeWidget& widget, const ImageList& images)
    : widget_(widget), images_(images) {}

void QtTreeView::Add(const std::optional<std::string>& relative, tree::Relationship relationship,
                     const std::string& key, const std::string& text, const std::string& image) {
  if (nodes_.count(key)) {
    throw RunTimeError(tree::error::kKeyNotUnique, "Key is not unique in collection");
  }
  QTreeWidgetItem* parent = nullptr;
  if (relative) {
    parent = Find(*relative);
    if (relationship != tree::Relationship::Child) {
      throw RunTimeError(tree::error::kInvalidRelationship, "Invalid procedure call or argument");
    }
  }
  auto* item = new QTreeWidgetItem(QStringList(Q(text)));
  item->setData(0, kKeyRole, Q(key));
  item->setData(0, kImageRole, Q(image));
  item->setIcon(0, images_.Icon(Q(image)));
  if (parent) {
    parent->addChild(item);
  } else {
    widget_.addTopLevelItem(item);
  }
  nodes_.emplace(key, item);
}

bool QtTreeView::Contains(const std::string& key) const { return nodes_.count(key) != 0; }

std::string QtTreeView::Image(const std::string& key) const {
  return Find(key)->data(0, kImageRole).toString().toStdString();
}

void QtTreeView::SetImage(const std::string& key, const std::string& image) {
  QTreeWidgetItem* item = Find(key);
  item->setData(0, kImageRole, Q(image));
  item->setIcon(0, images_.Icon(Q(image)));
}

std::string QtTreeView::KeyOf(const QTreeWidgetItem* item) {
  return item ? item->data(0, kKeyRole).toString().toStdString() : std::string();
}

QTreeWidgetItem* QtTreeView::Item(const std::string& key) const {
  auto it = nodes_.find(key);
  return it == nodes_.end() ? nullptr : it->second;
}

QTreeWidgetItem* QtTreeView::Find(const std::string& key) const {
  QTreeWidgetItem* item = Item(key);
  if (!item) throw RunTimeError(tree::error::kElementNotFound, "Element not found");
  return item;
}

}  // namespace lumaveil::qt
