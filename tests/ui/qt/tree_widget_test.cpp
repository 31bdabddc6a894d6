#include <gtest/gtest.h>


#include "tree/tree_fixture.h"
#include "common/error_number_of.h"
#include "common/run_time_error.h"
#include "ui/qt/folder_tree_widget.h"
#include "tree_qt_application.h"

namespace lumaveil::testing {
namespace {

using qt::QtErrorBox;

class TreeWidgetTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }

  TreeWidgetTest() {
    tree_.resize(320, 480);
    tree_.show();
    tree_.Form_Load();
  }

  QTreeWidgetItem* Item(const std::string& key) { return tree_.Nodes().Item(key); }
  bool ShowsPicture(const std::string& key, const char* image) {
    return Item(key)->icon(0).cacheKey() == tree_.Images().Icon(image).cacheKey();
  }
  bool HasExpandButton(const std::string& key) {
    return tree_.model()->hasChildren(tree_.indexFromItem(Item(key)));
  }

  StandardMachine machine_;
  QStringList path_box_;
  MessageBoxWatcher boxes_;
  qt::FolderTreeWidget tree_{machine_, [this](const QString& text) { path_box_.append(text); }};
};

TEST_F(TreeWidgetTest, UserExpandingAndCollapsingRunsTheHandlersAndSwitchesPictures) {
  ASSERT_EQ(tree_.topLevelItemCount(), 8);
  EXPECT_EQ(tree_.topLevelItem(6)->text(0), " X:");
  EXPECT_TRUE(ShowsPicture("C:", "harddrive"));
  EXPECT_FALSE(HasExpandButton("A:"));
  EXPECT_TRUE(HasExpandButton("C:"));
  EXPECT_FALSE(HasExpandButton("C:\\Windows"));

  Click(tree_, Item("C:"), /*twice=*/true);
  ASSERT_TRUE(Item("C:")->isExpanded());
  EXPECT_TRUE(HasExpandButton("C:\\Windows"));
  EXPECT_FALSE(HasExpandButton("C:\\Empty"));

  PressKey(tree_, Item("C:\\Windows"), Qt::Key_Right);
  EXPECT_TRUE(ShowsPicture("C:\\Windows", "openfolder"));
  EXPECT_TRUE(HasExpandButton("C:\\Windows\\System32"));
  PressKey(tree_, Item("C:\\Windows"), Qt::Key_Left);
  EXPECT_FALSE(Item("C:\\Windows")->isExpanded());
  EXPECT_TRUE(ShowsPicture("C:\\Windows", "closedfolder"));

  const int children = Item("C:\\Windows")->childCount();
  PressKey(tree_, Item("C:"), Qt::Key_Left);
  PressKey(tree_, Item("C:"), Qt::Key_Right);
  EXPECT_EQ(Item("C:\\Windows")->childCount(), children);
  EXPECT_TRUE(ShowsPicture("C:", "harddrive"));
  EXPECT_EQ(path_box_, (QStringList{"C:\\", "C:\\Windows", "C:\\"}));
  EXPECT_TRUE(boxes_.Seen().empty());
}

TEST_F(TreeWidgetTest, ExpandAllKeyOpensOnlyTheCurrentNodeInsteadOfWalkingTheDrive) {
  PressKey(tree_, Item("C:"), Qt::Key_Asterisk);

  EXPECT_TRUE(Item("C:")->isExpanded());
  EXPECT_FALSE(Item("C:\\Windows")->isExpanded());
  EXPECT_FALSE(tree_.Nodes().Contains("C:\\Windows\\System32\\drivers"));
  EXPECT_EQ(path_box_, QStringList{"C:\\"});
}

TEST_F(TreeWidgetTest, ClickOnAnUnreadableNodeShowsTheErrorBoxAndChangesNothingElse) {
  Click(tree_, Item("C:"));
  Click(tree_, Item("D:"));

  ASSERT_EQ(boxes_.Seen().size(), 1u);
  const SeenBox& box = boxes_.Seen()[0];
  EXPECT_EQ(box.title, "Error Number: 71");
  EXPECT_EQ(box.text, "Disk not ready");
  EXPECT_EQ(box.icon, QMessageBox::Critical);
  EXPECT_EQ(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  EXPECT_EQ(box.modality, Qt::ApplicationModal);
  EXPECT_TRUE(path_box_.isEmpty());
  EXPECT_TRUE(ShowsPicture("D:", "cdrom"));
  EXPECT_EQ(tree_.currentItem(), Item("D:"));
}

TEST_F(TreeWidgetTest, ErrorBoxIsReallyShownAndReturnsOnceDismissed) {
  QtErrorBox(&tree_).Report(76, "Path not found");

  ASSERT_EQ(boxes_.Seen().size(), 1u);
  EXPECT_TRUE(boxes_.Seen()[0].visible);
  EXPECT_EQ(boxes_.Seen()[0].title, "Error Number: 76");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(TreeWidgetTest, NodesRefuseDuplicateKeysAndMissingRelativesWithoutAddingAnything) {
  qt::QtTreeView& nodes = tree_.Nodes();
  const int count = Item("C:")->childCount();
  auto number_of = [&](const std::optional<std::string>& relative, tree::Relationship how,
                       const std::string& key) {
    return ErrorNumberOf([&] { nodes.Add(relative, how, key, "text", "closedfolder"); });
  };
  EXPECT_EQ(number_of("C:", tree::Relationship::Child, "C:\\Windows"), tree::error::kKeyNotUnique);
  EXPECT_EQ(number_of("Q:", tree::Relationship::Child, "Q:\\x"), tree::error::kElementNotFound);
  EXPECT_EQ(number_of("C:", tree::Relationship::First, "C:\\New"),
            tree::error::kInvalidRelationship);
  EXPECT_THROW(nodes.Image("Q:"), RunTimeError);
  EXPECT_EQ(Item("C:")->childCount(), count);
  EXPECT_FALSE(nodes.Contains("Q:\\x") || nodes.Contains("C:\\New"));

  EXPECT_EQ(number_of(std::nullopt, tree::Relationship::First, "Y:"), 0);
  EXPECT_EQ(number_of("C:", tree::Relationship::Child, "C:\\Last"), 0);
  EXPECT_EQ(tree_.topLevelItem(8), Item("Y:"));
  EXPECT_EQ(Item("C:")->child(count), Item("C:\\Last"));
}

}  // namespace
}  // namespace lumaveil::testing
