#include "ui/qt/folder_tree_widget.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace lumaveil::qt {

class FolderTreeWidget::CallbackPathBox : public tree::PathBox {
 public:
  explicit CallbackPathBox(PathBoxSetter setter) : setter_(std::move(setter)) {}
  void SetText(const std::string& text) override { setter_(QString::fromStdString(text)); }

 private:
  PathBoxSetter setter_;
};

FolderTreeWidget::FolderTreeWidget(fs::FolderBrowser& file_system, PathBoxSetter set_path_box,
                                   Clicks clicks, QWidget* parent)
    : QTreeWidget(parent),
      images_(CreateMainImageList()),
      view_(std::make_unique<QtTreeView>(*this, images_)),
      path_box_(std::make_unique<CallbackPathBox>(std::move(set_path_box))),
      error_box_(this),
      handlers_(std::make_unique<tree::FolderTree>(file_system, *view_, *path_box_, error_box_)) {
  setHeaderHidden(true);
  setColumnCount(1);
  setIconSize(QSize(16, 16));
  setUniformRowHeights(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  header()->setStretchLastSection(false);

  connect(this, &QTreeWidget::itemExpanded, this,
          [this](QTreeWidgetItem* item) { handlers_->tvFolders_Expand(QtTreeView::KeyOf(item)); });
  connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
    handlers_->tvFolders_Collapse(QtTreeView::KeyOf(item));
  });
  if (clicks == Clicks::CheckFolder) {
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
      handlers_->tvFolders_NodeClick(QtTreeView::KeyOf(item));
    });
  }
}

FolderTreeWidget::~FolderTreeWidget() = default;

void FolderTreeWidget::Form_Load() { handlers_->Form_Load(); }

void FolderTreeWidget::keyPressEvent(QKeyEvent* event) {
  // The view's own "expand everything below" would expand each node it has just been given,
  // and so walk the whole drive with the window frozen; here it opens the one node.
  if (event->key() == Qt::Key_Asterisk) {
    if (QTreeWidgetItem* item = currentItem()) item->setExpanded(true);
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

}  // namespace lumaveil::qt
