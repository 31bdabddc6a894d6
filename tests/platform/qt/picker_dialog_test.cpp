#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "../../tree/fake_machine.h"
#include "../../tree/tree_fixture.h"
#include "attrib/browse_for_folder.h"
#include "platform/qt/folder_picker_dialog.h"
#include "platform/qt/folder_tree_widget.h"
#include "tree_qt_application.h"

namespace lumaveil::testing {
namespace {

using qt::FolderPickerDialog;

class PickerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }
  PickerTest() { BuildStandardMachine(machine_); }

  QPushButton* Ok(FolderPickerDialog& d) { return d.Buttons().button(QDialogButtonBox::Ok); }
  QTreeWidgetItem* Item(FolderPickerDialog& d, const std::string& key) {
    return d.Tree().Nodes().Item(key);
  }

  FakeMachine machine_;
};

TEST_F(PickerTest, OpensAtTheDrivesWithThePromptAboveAndNothingChosen) {
  FolderPickerDialog dialog(machine_, attrib::kQuickScanPrompt);

  bool prompt_shown = false;
  for (QLabel* label : dialog.findChildren<QLabel*>()) {
    prompt_shown |= label->text() == "Select Driver or Folder to set Attribute";
  }
  EXPECT_TRUE(prompt_shown);
  EXPECT_EQ(dialog.Tree().topLevelItemCount(), 8);
  EXPECT_EQ(dialog.Tree().currentItem(), nullptr);
  EXPECT_TRUE(dialog.EditBox().text().isEmpty());
  EXPECT_FALSE(Ok(dialog)->isEnabled());
}

TEST_F(PickerTest, EditBoxFollowsTheChosenNodeInDriveForm) {
  FolderPickerDialog dialog(machine_, "prompt");
  dialog.show();

  dialog.Tree().setCurrentItem(Item(dialog, "C:"));
  EXPECT_EQ(dialog.EditBox().text(), "C:\\");
  EXPECT_TRUE(Ok(dialog)->isEnabled());

  PressKey(dialog.Tree(), Item(dialog, "C:"), Qt::Key_Right);
  EXPECT_EQ(dialog.EditBox().text(), "C:\\");  // opening a node does not choose it
  dialog.Tree().setCurrentItem(Item(dialog, "C:\\Windows"));
  EXPECT_EQ(dialog.EditBox().text(), "C:\\Windows");

  Ok(dialog)->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.ChosenFolder(), "C:\\Windows");
}

TEST_F(PickerTest, TypedPathIsTakenInTheFileSystemsSpellingOnlyWhenItOpens) {
  FolderPickerDialog dialog(machine_, "prompt");
  dialog.show();

  for (const char* refused : {"C:\\Nowhere", "\\\\server\\share", "D:\\"}) {
    dialog.EditBox().setText(refused);
    Ok(dialog)->click();
    EXPECT_TRUE(dialog.isVisible()) << refused;
    EXPECT_TRUE(dialog.ChosenFolder().isEmpty()) << refused;
    EXPECT_FALSE(dialog.Note().isHidden()) << refused;
  }
  EXPECT_EQ(dialog.Note().text(), "Disk not ready");

  dialog.EditBox().setText("  C:\\Users\\ana\\ ");
  EXPECT_TRUE(dialog.Note().isHidden());  // typing clears the complaint
  Ok(dialog)->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.ChosenFolder(), "C:\\Users\\ana");
}

TEST_F(PickerTest, ClickingAnUnreadableDriveShowsNoMessage) {
  int boxes = 0;
  qt::QtErrorBox::SetHook([&](QMessageBox&) { return ++boxes, true; });
  FolderPickerDialog dialog(machine_, "prompt");
  dialog.show();

  Click(dialog.Tree(), Item(dialog, "D:"));

  qt::QtErrorBox::SetHook({});
  EXPECT_EQ(boxes, 0);
  EXPECT_EQ(dialog.EditBox().text(), "D:\\");
}

// The modal picker as Quick Scan runs it, dismissed by what a user would press.
std::string RunPicker(FakeMachine& machine, std::function<void(FolderPickerDialog&)> user) {
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<FolderPickerDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    user(*dialog);
  });
  qt::DialogFolderPicker picker(machine);
  return attrib::BrowseForFolder(picker, 0, attrib::kQuickScanPrompt);
}

TEST_F(PickerTest, CancelGivesNothingEvenWithAFolderChosen) {
  const std::string result = RunPicker(machine_, [](FolderPickerDialog& d) {
    d.Tree().setCurrentItem(d.Tree().Nodes().Item("C:"));
    d.Buttons().button(QDialogButtonBox::Cancel)->click();
  });
  EXPECT_EQ(result, "");
}

TEST_F(PickerTest, PickGivesTheDriveRootWithItsSeparatorOrTheFolderWithout) {
  EXPECT_EQ(RunPicker(machine_,
                      [](FolderPickerDialog& d) {
                        d.Tree().setCurrentItem(d.Tree().Nodes().Item("Z:"));
                        d.Buttons().button(QDialogButtonBox::Ok)->click();
                      }),
            "Z:\\");
  EXPECT_EQ(RunPicker(machine_,
                      [](FolderPickerDialog& d) {
                        d.EditBox().setText("C:\\Program Files\\");
                        d.Buttons().button(QDialogButtonBox::Ok)->click();
                      }),
            "C:\\Program Files");
}

}  // namespace
}  // namespace lumaveil::testing
