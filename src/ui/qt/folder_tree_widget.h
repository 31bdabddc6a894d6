// tvFolders: the folder tree ready to embed in a window. It owns its nodes' adapter and the
// handlers, routes the tree's expand, collapse and click events to them, and writes expanded
// folders into the path box through a callback.
#pragma once

#include <QTreeWidget>
#include <functional>
#include <memory>

#include "platform/fs/file_system.h"
#include "ui/qt/image_list.h"
#include "ui/qt/qt_error_box.h"
#include "ui/qt/qt_tree_view.h"
#include "tree/folder_tree.h"

namespace lumaveil::qt {

class FolderTreeWidget : public QTreeWidget {
  Q_OBJECT

 public:
  using PathBoxSetter = std::function<void(const QString&)>;
  // Whether a click reads the node's folder and reports a failure in the error box (the main
  // window's tree), or only selects the node (a picker, which shows no messages).
  enum class Clicks { CheckFolder, SelectOnly };

  // `file_system` must outlive the widget.
  FolderTreeWidget(fs::FolderBrowser& file_system, PathBoxSetter set_path_box,
                   Clicks clicks = Clicks::CheckFolder, QWidget* parent = nullptr);
  ~FolderTreeWidget() override;

  // Fills the tree with the drives; the window's load calls it once.
  void Form_Load();

  QtTreeView& Nodes() { return *view_; }
  const ImageList& Images() const { return images_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  class CallbackPathBox;

  ImageList images_;
  std::unique_ptr<QtTreeView> view_;
  std::unique_ptr<CallbackPathBox> path_box_;
  QtErrorBox error_box_;
  std::unique_ptr<tree::FolderTree> handlers_;
};

}  // namespace lumaveil::qt
