#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTimer>

#include "../../tree/fake_machine.h"
#include "../../tree/tree_fixture.h"
#include "common/run_time_error.h"
#include "platform/qt/folder_tree_widget.h"
#include "tree_qt_application.h"

namespace lumaveil::testing {
namespace {

using qt::FolderTreeWidget;
using qt::QtErrorBox;

struct ShownBox {
  QString title;
  QString text;
  QMessageBox::Icon icon;
  QMessageBox::StandardButtons buttons;
  Qt::WindowModality modality;
};

class TreeWidgetTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }

  TreeWidgetTest() {
    BuildStandardMachine(machine_);
    QtErrorBox::SetHook([this](QMessageBox& box) {
      boxes_.push_back({box.windowTitle(), box.text(), box.icon(), box.standardButtons(),
                        box.windowModality()});
      return true;
    });
    tree_.resize(320, 480);
    tree_.show();
    tree_.Form_Load();
  }
  ~TreeWidgetTest() override { QtErrorBox::SetHook({}); }

  QTreeWidgetItem* Item(const std::string& key) {
    QTreeWidgetItem* item = tree_.Nodes().Item(key);
    EXPECT_NE(item, nullptr) << key;
    return item;
  }
  qint64 IconOf(const std::string& key) { return Item(key)->icon(0).cacheKey(); }
  qint64 Picture(const char* image_key) { return tree_.Images().Icon(image_key).cacheKey(); }
  bool HasExpandButton(const std::string& key) {
    return tree_.model()->hasChildren(tree_.indexFromItem(Item(key)));
  }

  FakeMachine machine_;
  QStringList path_box_;
  std::vector<ShownBox> boxes_;
  FolderTreeWidget tree_{machine_, [this](const QString& text) { path_box_.append(text); }};
};

TEST_F(TreeWidgetTest, LoadShowsTheDrivesWithTextsPicturesAndExpandButtonsOnlyWhereNeeded) {
  ASSERT_EQ(tree_.topLevelItemCount(), 8);
  EXPECT_EQ(tree_.topLevelItem(0)->text(0), " A:");
  EXPECT_EQ(tree_.topLevelItem(6)->text(0), " X:");
  EXPECT_EQ(tree_.Nodes().Image("C:"), "harddrive");
  EXPECT_FALSE(Item("C:")->icon(0).isNull());
  EXPECT_FALSE(HasExpandButton("A:"));
  EXPECT_FALSE(HasExpandButton("D:"));
  EXPECT_TRUE(HasExpandButton("C:"));
  EXPECT_FALSE(HasExpandButton("C:\\Windows"));  // one level ahead: filled on expanding C:
  EXPECT_EQ(Item("C:")->child(0), Item("C:\\Windows"));
  EXPECT_TRUE(path_box_.isEmpty());
  EXPECT_EQ(tree_.currentItem(), nullptr);
}

TEST_F(TreeWidgetTest, KeyboardExpandAndCollapseRunTheHandlersAndSwitchPictures) {
  PressKey(tree_, Item("C:"), Qt::Key_Right);
  ASSERT_TRUE(Item("C:")->isExpanded());
  EXPECT_EQ(path_box_, QStringList{"C:\\"});
  EXPECT_TRUE(HasExpandButton("C:\\Windows"));
  EXPECT_FALSE(HasExpandButton("C:\\Empty"));
  EXPECT_EQ(tree_.Nodes().Image("C:"), "harddrive");

  PressKey(tree_, Item("C:\\Windows"), Qt::Key_Right);
  EXPECT_EQ(path_box_.last(), "C:\\Windows");
  EXPECT_EQ(IconOf("C:\\Windows"), Picture("openfolder"));
  EXPECT_TRUE(HasExpandButton("C:\\Windows\\System32"));

  PressKey(tree_, Item("C:\\Windows"), Qt::Key_Left);
  EXPECT_FALSE(Item("C:\\Windows")->isExpanded());
  EXPECT_EQ(IconOf("C:\\Windows"), Picture("closedfolder"));
  EXPECT_EQ(path_box_.size(), 2);
}

TEST_F(TreeWidgetTest, DoubleClickExpandsAndASecondExpansionAddsNoItem) {
  Click(tree_, Item("C:"), /*twice=*/true);
  ASSERT_TRUE(Item("C:")->isExpanded());
  const int windows_children = Item("C:\\Windows")->childCount();
  EXPECT_EQ(windows_children, 2);

  PressKey(tree_, Item("C:"), Qt::Key_Left);
  PressKey(tree_, Item("C:"), Qt::Key_Right);

  EXPECT_EQ(Item("C:\\Windows")->childCount(), windows_children);
  EXPECT_EQ(path_box_, (QStringList{"C:\\", "C:\\"}));
  EXPECT_TRUE(boxes_.empty());  // the double click's clicks read a readable drive
}

TEST_F(TreeWidgetTest, ClickOnAnUnreadableNodeShowsTheCriticalBoxAndChangesNothing) {
  Click(tree_, Item("C:"));
  EXPECT_TRUE(boxes_.empty());

  Click(tree_, Item("D:"));

  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].title, "Error Number: 71");
  EXPECT_EQ(boxes_[0].text, "Disk not ready");
  EXPECT_EQ(boxes_[0].icon, QMessageBox::Critical);
  EXPECT_EQ(boxes_[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  EXPECT_EQ(boxes_[0].modality, Qt::ApplicationModal);
  EXPECT_TRUE(path_box_.isEmpty());
  EXPECT_EQ(tree_.Nodes().Image("D:"), "cdrom");
  EXPECT_EQ(tree_.currentItem(), Item("D:"));  // the control itself selects it
}

TEST_F(TreeWidgetTest, ErrorBoxIsReallyShownModalAndReturnsWhenDismissed) {
  QtErrorBox::SetHook({});
  QString seen_title;
  bool was_visible = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen_title = box->windowTitle();
    was_visible = box->isVisible();
    box->button(QMessageBox::Ok)->click();
  });

  QtErrorBox(&tree_).Report(76, "Path not found");

  EXPECT_TRUE(was_visible);
  EXPECT_EQ(seen_title, "Error Number: 76");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(TreeWidgetTest, NodesRefuseDuplicateKeysAndMissingRelativesWithoutAddingAnything) {
  qt::QtTreeView& nodes = tree_.Nodes();
  const int count = Item("C:")->childCount();

  try {
    nodes.Add(std::string("C:"), tree::Relationship::Child, "C:\\Windows", "Windows", "closedfolder");
    FAIL() << "duplicate key accepted";
  } catch (const RunTimeError& e) {
    EXPECT_EQ(e.Number(), tree::error::kKeyNotUnique);
  }
  try {
    nodes.Add(std::string("Q:"), tree::Relationship::Child, "Q:\\x", "x", "closedfolder");
    FAIL() << "missing relative accepted";
  } catch (const RunTimeError& e) {
    EXPECT_EQ(e.Number(), tree::error::kElementNotFound);
  }
  EXPECT_THROW(nodes.Add(std::string("C:"), tree::Relationship::First, "C:\\New", "New", "closedfolder"),
               RunTimeError);
  EXPECT_THROW(nodes.Image("Q:"), RunTimeError);
  EXPECT_EQ(Item("C:")->childCount(), count);
  EXPECT_FALSE(nodes.Contains("Q:\\x"));
  EXPECT_FALSE(nodes.Contains("C:\\New"));

  nodes.Add(std::nullopt, tree::Relationship::First, "Y:", " Y:", "netdrive");
  nodes.Add(std::string("C:"), tree::Relationship::Child, "C:\\Last", "Last", "closedfolder");
  EXPECT_EQ(tree_.topLevelItem(tree_.topLevelItemCount() - 1), Item("Y:"));
  EXPECT_EQ(Item("C:")->child(count), Item("C:\\Last"));
}

}  // namespace
}  // namespace lumaveil::testing
