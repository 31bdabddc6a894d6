#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "tree/tree_fixture.h"
#include "attrib/browse_for_folder.h"
#include "ui/qt/folder_picker_dialog.h"
#include "ui/qt/folder_tree_widget.h"
#include "tree_qt_application.h"

namespace lumaveil::testing {
namespace {

using qt::FolderPickerDialog;

class PickerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }
  PickerTest() { dialog_.show(); }

  QPushButton* Ok() { return dialog_.Buttons().button(QDialogButtonBox::Ok); }
  void Choose(const std::string& key) {
    dialog_.Tree().setCurrentItem(dialog_.Tree().Nodes().Item(key));
  }

  StandardMachine machine_;
  FolderPickerDialog dialog_{machine_, attrib::kQuickScanPrompt};
};

TEST_F(PickerTest, StartsAtTheDrivesAndTheEditBoxFollowsTheChosenNode) {
  EXPECT_EQ(dialog_.findChildren<QLabel*>().first()->text(),
            "Select Driver or Folder to set Attribute");
  EXPECT_EQ(dialog_.Tree().topLevelItemCount(), 8);
  EXPECT_TRUE(dialog_.EditBox().text().isEmpty());
  EXPECT_FALSE(Ok()->isEnabled());

  Choose("C:");
  EXPECT_EQ(dialog_.EditBox().text(), "C:\\");
  PressKey(dialog_.Tree(), dialog_.Tree().Nodes().Item("C:"), Qt::Key_Right);
  Choose("C:\\Windows");
  EXPECT_EQ(dialog_.EditBox().text(), "C:\\Windows");

  MessageBoxWatcher boxes;
  Click(dialog_.Tree(), dialog_.Tree().Nodes().Item("D:"));  // a picker shows no message
  EXPECT_TRUE(boxes.Seen().empty());
  EXPECT_EQ(dialog_.EditBox().text(), "D:\\");
}

TEST_F(PickerTest, TypedPathIsTakenInTheFileSystemsSpellingOnlyWhenItOpens) {
  for (const char* refused : {"C:\\Nowhere", "\\\\server\\share", "D:\\"}) {
    dialog_.EditBox().setText(refused);
    Ok()->click();
    EXPECT_TRUE(dialog_.isVisible() && dialog_.ChosenFolder().isEmpty()) << refused;
    EXPECT_FALSE(dialog_.Note().isHidden()) << refused;
  }
  EXPECT_EQ(dialog_.Note().text(), "Disk not ready");

  dialog_.EditBox().setText("  C:\\Users\\ana\\ ");
  EXPECT_TRUE(dialog_.Note().isHidden());
  Ok()->click();
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_EQ(dialog_.ChosenFolder(), "C:\\Users\\ana");
}

// The modal picker as Quick Scan runs it: the user chooses the node `key` and presses `press`.
std::string RunPicker(FakeMachine& machine, const std::string& key,
                      QDialogButtonBox::StandardButton press) {
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<FolderPickerDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->Tree().setCurrentItem(dialog->Tree().Nodes().Item(key));
    dialog->Buttons().button(press)->click();
  });
  qt::DialogFolderPicker picker(machine);
  return attrib::BrowseForFolder(picker, 0, attrib::kQuickScanPrompt);
}

TEST_F(PickerTest, QuickScanGetsTheChosenFolderOrNothingOnCancel) {
  EXPECT_EQ(RunPicker(machine_, "C:", QDialogButtonBox::Cancel), "");
  EXPECT_EQ(RunPicker(machine_, "Z:", QDialogButtonBox::Ok), "Z:\\");
  EXPECT_EQ(RunPicker(machine_, "C:\\Program Files", QDialogButtonBox::Ok), "C:\\Program Files");
}

}  // namespace
}  // namespace lumaveil::testing
