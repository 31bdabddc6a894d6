#include "ui/qt/folder_picker_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/run_time_error.h"
#include "ui/qt/folder_tree_widget.h"

namespace lumaveil::qt {

FolderPickerDialog::FolderPickerDialog(fs::FolderBrowser& file_system, const QString& prompt,
                                       QWidget* parent)
    : QDialog(parent), fs_(file_system) {
  setWindowTitle(tr("Browse For Folder"));
  auto* layout = new QVBoxLayout(this);

  auto* prompt_label = new QLabel(prompt, this);
  prompt_label->setWordWrap(true);
  layout->addWidget(prompt_label);

  // Expanding a node only opens it here; the edit box follows the chosen node instead.
  tree_ = new FolderTreeWidget(
      file_system, [](const QString&) {}, FolderTreeWidget::Clicks::SelectOnly, this);
  layout->addWidget(tree_, 1);

  auto* folder_label = new QLabel(tr("&Folder:"), this);
  edit_ = new QLineEdit(this);
  folder_label->setBuddy(edit_);
  layout->addWidget(folder_label);
  layout->addWidget(edit_);

  note_ = new QLabel(this);
  note_->setWordWrap(true);
  note_->hide();
  layout->addWidget(note_);

  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons_);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

  connect(tree_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item) { ShowNodeFolder(item); });
  auto update_ok = [this] {
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!edit_->text().trimmed().isEmpty());
  };
  connect(edit_, &QLineEdit::textChanged, this, [this, update_ok] {
    note_->hide();
    update_ok();
  });
  update_ok();

  tree_->Form_Load();
  resize(360, 420);
}

void FolderPickerDialog::ShowNodeFolder(QTreeWidgetItem* item) {
  const std::string key = QtTreeView::KeyOf(item);
  if (key.empty()) return;
  edit_->setText(QString::fromStdString(attrib::DriveFormFolderPath(tree::NodeFolderPath(key))));
}

void FolderPickerDialog::accept() {
  // A typed path is taken only when it names a folder that can be opened, and is handed on in
  // the file system's own spelling of it.
  QString failure = tr("Not a folder in drive form, such as C:\\Windows.");
  try {
    const fs::Folder folder = fs_.GetFolder(edit_->text().trimmed().toStdString());
    chosen_ = QString::fromStdString(attrib::DriveFormFolderPath(folder.Path));
  } catch (const RunTimeError& error) {
    chosen_.clear();
    failure = QString::fromStdString(error.Description());
  }
  if (chosen_.isEmpty()) {
    note_->setText(failure);
    note_->show();
    edit_->setFocus();
    edit_->selectAll();
    return;
  }
  QDialog::accept();
}

std::string DialogFolderPicker::Pick(attrib::WindowHandle owner, const std::string& prompt) {
  QWidget* parent = owner ? QWidget::find(static_cast<WId>(owner)) : nullptr;
  FolderPickerDialog dialog(fs_, QString::fromStdString(prompt), parent);
  dialog.setWindowModality(Qt::ApplicationModal);
  if (dialog.exec() != QDialog::Accepted) return "";
  return dialog.ChosenFolder().toStdString();
}

}  // namespace lumaveil::qt
