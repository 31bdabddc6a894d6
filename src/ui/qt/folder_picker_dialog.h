// The program's own modal folder picker off Windows: the prompt above a tree of the drives
// and their folders, an edit box that follows the chosen node and accepts typing, OK and
// Cancel. OK is taken only for a folder the file system can open.
#pragma once

#include <QDialog>
#include <memory>

#include "attrib/browse_for_folder.h"
#include "platform/fs/file_system.h"

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QTreeWidgetItem;

namespace lumaveil::qt {

class FolderTreeWidget;

class FolderPickerDialog : public QDialog {
  Q_OBJECT

 public:
  FolderPickerDialog(fs::FolderBrowser& file_system, const QString& prompt, QWidget* parent = nullptr);

  // The confirmed folder in drive form; empty until OK has been taken.
  QString ChosenFolder() const { return chosen_; }

  FolderTreeWidget& Tree() { return *tree_; }
  QLineEdit& EditBox() { return *edit_; }
  QDialogButtonBox& Buttons() { return *buttons_; }
  QLabel& Note() { return *note_; }

  void accept() override;

 private:
  void ShowNodeFolder(QTreeWidgetItem* item);

  fs::FolderBrowser& fs_;
  FolderTreeWidget* tree_;
  QLineEdit* edit_;
  QLabel* note_;
  QDialogButtonBox* buttons_;
  QString chosen_;
};

// The picker behind BrowseForFolder off Windows.
class DialogFolderPicker : public attrib::FolderPicker {
 public:
  explicit DialogFolderPicker(fs::FolderBrowser& file_system) : fs_(file_system) {}
  std::string Pick(attrib::WindowHandle owner, const std::string& prompt) override;

 private:
  fs::FolderBrowser& fs_;
};

}  // namespace lumaveil::qt
