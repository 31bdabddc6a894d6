// The main window as a user meets it: its controls and menus, the keyboard order, the About
// window, Exit, and Quick Scan with the picker replaced.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <string>

#include "ui/common/counter_layout.h"
#include "ui/qt/about_window.h"
#include "ui/qt/frm_utama.h"
#include "ui/qt/pass_label.h"
#include "ui/qt/app_test_support.h"
#include "ui/qt/folder_tree_widget.h"
#include "ui/qt/window_measures.h"

namespace lumaveil::app {
namespace {

class FrmUtamaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureApplication();
    machine_.Folder("Photos/2019");
    machine_.Folder("Music");
    window_ = std::make_unique<FrmUtama>(machine_.FileSystem(), picker_, [this] { ++ends_; });
    controls_ = testing::WindowControls(window_.get());
  }
  void TearDown() override { delete testing::OpenAbout(); }

  QAction* MenuItem(QMenu* menu) const {
    EXPECT_EQ(menu->actions().size(), 1);
    return menu->actions().value(0);
  }

  testing::FixtureMachine machine_;
  testing::ScriptedPicker picker_;
  int ends_ = 0;
  std::unique_ptr<FrmUtama> window_;
  testing::WindowControls controls_;
};

TEST_F(FrmUtamaTest, StartsWithItsCaptionsAndEmptyState) {
  EXPECT_EQ(window_->windowTitle(), "Lumaveil V.1.0");
  EXPECT_FALSE(window_->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
  const char* boxes[] = {"Archive", "Read-Only", "Hidden", "System"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(controls_.Check1(i)->text(), boxes[i]);
    EXPECT_FALSE(controls_.Check1(i)->isChecked());
    EXPECT_TRUE(controls_.Check1(i)->isEnabled());
  }
  EXPECT_EQ(controls_.Command1(0)->text(), "Scan");
  EXPECT_EQ(controls_.Command1(1)->text(), "Stop");
  EXPECT_FALSE(controls_.Command1(0)->autoDefault());
  EXPECT_EQ(controls_.txtDirPath()->text(), "");
  EXPECT_EQ(controls_.lblvalue1()->text(), ": 0");
  EXPECT_EQ(controls_.lblFileName()->text(), "");
  EXPECT_EQ(controls_.lblinfo3()->text(), "Fle(s)");
  EXPECT_EQ(controls_.lblDir()->text(), "");
  EXPECT_EQ(window_->findChild<QLabel*>("Label1")->text(), "Set Attribute For File / Folder");
  EXPECT_EQ(window_->findChild<QLabel*>("Label2")->text(), "Lumaveil");
  EXPECT_FALSE(window_->StopRequested());
  // Form_Load ran before the window was shown: both fixture drives are in the tree.
  EXPECT_EQ(controls_.tvFolders()->topLevelItemCount(), 2);
}

TEST_F(FrmUtamaTest, ControlsStandAtTheirTwipPositionsAtNinetySixDpi) {
  if (window_->logicalDpiX() != 96) GTEST_SKIP() << "screen is not at 96 dpi";
  window_->ShowCentred();
  EXPECT_EQ(controls_.Command1(1)->geometry(), QRect(296, 288, 89, 25));
  EXPECT_EQ(controls_.Command1(0)->geometry(), QRect(216, 288, 81, 25));
  EXPECT_EQ(controls_.Check1(3)->geometry(), QRect(98, 307, 85, 13));
  EXPECT_EQ(controls_.txtDirPath()->geometry(), QRect(8, 216, 375, 19));
  EXPECT_EQ(controls_.tvFolders()->geometry(), QRect(0, 128, 392, 84));
  EXPECT_LT(controls_.tvFolders()->geometry().bottom(), controls_.txtDirPath()->geometry().top());
  EXPECT_EQ(controls_.lblFileName()->geometry(), QRect(0, 352, 393, 41));
  EXPECT_EQ(controls_.lblvalue1()->geometry(), QRect(300, 328, 89, 13));
  EXPECT_EQ(controls_.lblinfo3()->geometry(), QRect(265, 328, 28, 13));
  EXPECT_EQ(window_->centralWidget()->size(), QSize(394, 400));
}

TEST_F(FrmUtamaTest, TheLargestCountShowsWholeAtNinetySixDpiAndAbove) {
  const QFont font = controls_.lblvalue1()->font();
  for (double dpi : {96.0, 120.0, 144.0, 192.0}) {
    SCOPED_TRACE(dpi);
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    device.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
    const QFontMetricsF metrics(font, &device);
    const TwipScale scale(dpi);
    const ui::TwipBox& c = ui::kCountBox;
    const ui::TwipBox& f = ui::kCountCaptionBox;
    const QRect count = scale.Rect(c.left, c.top, c.width, c.height);
    const QRect caption = scale.Rect(f.left, f.top, f.width, f.height);
    EXPECT_LE(metrics.horizontalAdvance(QString::fromUtf8(ui::kWidestCountText)), count.width());
    // The caption grows to the right as far as its text needs, and still ends before the count.
    EXPECT_LT(caption.left() + std::ceil(metrics.horizontalAdvance("Fle(s)")), count.left());
    EXPECT_LT(count.right(), scale.Pixels(5910));
  }
  // The window itself, at its screen's dpi: the count fits on its one line.
  window_->ShowFileCount(std::string(ui::kWidestCountText));
  const PassLabel* label = controls_.lblvalue1();
  EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width());
}

TEST_F(FrmUtamaTest, MenusHoldOneItemEach) {
  const QList<QAction*> menus = window_->menuBar()->actions();
  ASSERT_EQ(menus.size(), 3);
  EXPECT_EQ(menus[0]->text(), "File");
  EXPECT_EQ(menus[1]->text(), "Help");
  EXPECT_EQ(menus[2]->text(), "Exit");
  EXPECT_EQ(MenuItem(controls_.MnuFile())->text(), "Quick Scan");
  EXPECT_EQ(MenuItem(controls_.MnHelp())->text(), "About");
  EXPECT_EQ(MenuItem(controls_.MnExit())->text(), "Exit");
  for (QAction* menu : menus) EXPECT_TRUE(menu->shortcut().isEmpty());
}

TEST_F(FrmUtamaTest, TabGoesFromTheTreeThroughBoxesToStop) {
  window_->ShowCentred();
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  EXPECT_EQ(QApplication::focusWidget(), controls_.tvFolders());
  const std::vector<QWidget*> expected = {
      controls_.txtDirPath(), controls_.Check1(0), controls_.Check1(1), controls_.Check1(2),
      controls_.Check1(3),    controls_.Command1(0), controls_.Command1(1)};
  for (QWidget* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
  }
}

TEST_F(FrmUtamaTest, AboutTwiceIsOneWindowWithItsContents) {
  window_->MnAbout_Click();
  About* first = testing::OpenAbout();
  ASSERT_NE(first, nullptr);
  MenuItem(controls_.MnHelp())->trigger();
  EXPECT_EQ(testing::OpenAbout(), first);
  int visibleAbouts = 0;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (qobject_cast<About*>(top) != nullptr && top->isVisible()) ++visibleAbouts;
  }
  EXPECT_EQ(visibleAbouts, 1);
  EXPECT_TRUE(first->parent() == nullptr) << "no owner window";
  EXPECT_EQ(first->windowTitle(), "About");

  QListWidget* list = first->List1();
  ASSERT_EQ(list->count(), 4);
  EXPECT_EQ(list->item(0)->text(), "Aplikasi ini bertujuan untuk Mencari File-file Hidden virus");
  EXPECT_EQ(list->item(1)->text(),
            "Program ini tersedia 4 checklist yang memiliki Fungsi masing-masing ");
  EXPECT_EQ(list->item(2)->text(),
            "untuk mengatur File-file yang ada di dalam folder menjadi Hidden , Read only ,");
  EXPECT_EQ(list->item(3)->text(), "Archive , System");
  EXPECT_EQ(first->findChild<QLabel*>("Label6")->text(), "V . 1 . 0");
  EXPECT_EQ(first->findChild<QLabel*>("Label9")->text(), "Tandrel Technologie ");

  // Closed, it is gone; the next About is a new window.
  first->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(testing::OpenAbout(), nullptr);
  window_->MnAbout_Click();
  EXPECT_NE(testing::OpenAbout(), nullptr);
}

TEST_F(FrmUtamaTest, ExitEndsTheProgramEvenWithAboutOpen) {
  window_->MnAbout_Click();
  MenuItem(controls_.MnExit())->trigger();
  EXPECT_EQ(ends_, 1);
}

TEST_F(FrmUtamaTest, QuickScanCancelledChangesNothing) {
  controls_.txtDirPath()->setText("D:\\Music");
  picker_.answer = "";
  MenuItem(controls_.MnuFile())->trigger();
  ASSERT_EQ(picker_.prompts.size(), 1u);
  EXPECT_EQ(picker_.prompts[0], "Select Driver or Folder to set Attribute");
  EXPECT_EQ(controls_.txtDirPath()->text(), "D:\\Music");
  EXPECT_TRUE(controls_.MnuFile()->menuAction()->isEnabled());
}

TEST_F(FrmUtamaTest, QuickScanPickFillsThePathBoxAndDisablesFileForGood) {
  picker_.answer = "D:\\Photos\\2019";
  window_->MnQScan_Click();
  EXPECT_EQ(controls_.txtDirPath()->text(), "D:\\Photos\\2019");
  EXPECT_FALSE(controls_.MnuFile()->menuAction()->isEnabled());
  // Nothing starts: no pass ran, the controls are as they were.
  EXPECT_EQ(controls_.lblvalue1()->text(), ": 0");
  EXPECT_TRUE(controls_.Command1(0)->isEnabled());
  // The tree and the path box still work.
  controls_.tvFolders()->expandItem(controls_.tvFolders()->topLevelItem(1));
  EXPECT_EQ(controls_.txtDirPath()->text(), "D:\\");
}

TEST_F(FrmUtamaTest, ExpandingADriveWritesItsRootWithTheSeparator) {
  QTreeWidgetItem* drive = controls_.tvFolders()->topLevelItem(1);
  ASSERT_NE(drive, nullptr);
  EXPECT_EQ(drive->text(0), " D:");
  controls_.tvFolders()->expandItem(drive);
  EXPECT_EQ(controls_.txtDirPath()->text(), "D:\\");
  QTreeWidgetItem* photos = nullptr;
  for (int i = 0; i < drive->childCount(); ++i) {
    if (drive->child(i)->text(0) == "Photos") photos = drive->child(i);
  }
  ASSERT_NE(photos, nullptr);
  controls_.tvFolders()->expandItem(photos);
  EXPECT_EQ(controls_.txtDirPath()->text(), "D:\\Photos");
}

}  // namespace
}  // namespace lumaveil::app
