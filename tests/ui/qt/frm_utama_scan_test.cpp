// Scan and Stop through the main window on a real scratch drive: refused paths, a full pass
// with the attributes read back from disk, Stop and closing the window in the middle of a pass.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ui/common/path_label_text.h"
#include "ui/qt/frm_utama.h"
#include "ui/qt/pass_label.h"
#include "ui/qt/app_test_support.h"

namespace lumaveil::app {
namespace {

constexpr std::uint32_t kHidden = 0x2;
constexpr std::uint32_t kSystem = 0x4;
constexpr std::uint32_t kArchive = 0x20;

class FrmUtamaScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureApplication();
    window_ = std::make_unique<FrmUtama>(machine_.FileSystem(), picker_, [] {});
  }

  // Scan pressed the way a user presses it.
  void PressScan() { window_->Command1(0)->click(); }

  // A zero-delay timer runs at the pass's first chance to let window events run, that is
  // right after its first counted file.
  void AtFirstProcessingPoint(std::function<void()> action) {
    QTimer::singleShot(0, window_.get(), std::move(action));
  }

  void ExpectIdle() {
    EXPECT_TRUE(window_->Command1(0)->isEnabled());
    EXPECT_TRUE(window_->Command1(1)->isEnabled());
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(window_->Check1(i)->isEnabled()) << i;
    EXPECT_FALSE(window_->PassRunning());
  }

  testing::FixtureMachine machine_;
  testing::ScriptedPicker picker_;
  std::unique_ptr<FrmUtama> window_;
};

TEST_F(FrmUtamaScanTest, PathsWithoutADriveColonGetOneBoxAndNothingElse) {
  machine_.File("keep.txt");
  window_->SetLblFileName("D:\\", "before.txt");
  window_->SetLblValue1(": 7");
  for (const char* path : {"", "C", " C:\\", "\\\\server\\share"}) {
    SCOPED_TRACE(path);
    window_->txtDirPath()->setText(path);
    window_->Check1(2)->setChecked(true);
    window_->SetStopFlag(false);
    testing::MessageBoxWatcher watcher;
    PressScan();
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].text, "Path not found !");
    EXPECT_EQ(watcher.Seen()[0].title, "LMV ");
    EXPECT_EQ(watcher.Seen()[0].icon, QMessageBox::Warning);
    EXPECT_FALSE(window_->StopFlag()) << "a refused path leaves the flag alone";
    ExpectIdle();
    EXPECT_EQ(window_->lblFileName()->text(), "D:\\before.txt");
    EXPECT_EQ(window_->lblvalue1()->text(), ": 7");
    EXPECT_EQ(window_->txtDirPath()->text(), path);
  }
  EXPECT_EQ(machine_.Attributes("keep.txt"), 0u);
}

TEST_F(FrmUtamaScanTest, ScanGivesEveryEntryTheTickedBoxesAndShowsTheCount) {
  machine_.Folder("target/docs/old");
  machine_.File("target/a.txt");
  machine_.File("target/docs/b.txt");
  machine_.File("target/docs/old/c.txt");
  machine_.File("outside.txt");
  // Attributes that are not ticked are cleared.
  auto target = fs::OpenNativeDirectory(machine_.Native("target"));
  ASSERT_TRUE(target);
  ASSERT_TRUE(target->SetAttributes("a.txt", kArchive));
  window_->txtDirPath()->setText("D:\\target");
  window_->Check1(2)->setChecked(true);
  window_->Check1(3)->setChecked(true);
  testing::MessageBoxWatcher watcher;
  PressScan();

  EXPECT_TRUE(watcher.Seen().empty());
  for (const char* entry : {"target/a.txt", "target/docs", "target/docs/b.txt", "target/docs/old",
                            "target/docs/old/c.txt"}) {
    EXPECT_EQ(machine_.Attributes(entry), kHidden | kSystem) << entry;
  }
  EXPECT_EQ(machine_.Attributes("target"), 0u) << "the target itself is left as it is";
  EXPECT_EQ(machine_.Attributes("outside.txt"), 0u);
  EXPECT_EQ(window_->lblvalue1()->text(), ": 3");
  EXPECT_TRUE(window_->lblFileName()->text().startsWith("D:\\target\\"));
  EXPECT_TRUE(window_->lblFileName()->text().endsWith(".txt"));
  EXPECT_TRUE(window_->StopFlag());
  ExpectIdle();

  // A second pass counts from 0 again; unticking clears what the first pass set.
  window_->Check1(2)->setChecked(false);
  window_->Check1(3)->setChecked(false);
  window_->txtDirPath()->setText("D:\\target\\docs");
  PressScan();
  EXPECT_EQ(window_->lblvalue1()->text(), ": 2");
  EXPECT_EQ(machine_.Attributes("target/docs/old/c.txt"), 0u);
  EXPECT_EQ(machine_.Attributes("target/a.txt"), kHidden | kSystem);
}

TEST_F(FrmUtamaScanTest, ADeepTreeShowsTheHeadOfItsPathsAndNeverTheWhole) {
  // 40 levels of 250-byte names, one file in each: the paths run past PATH_MAX and past what
  // the label takes, so the chain is made one open folder at a time.
  const std::string name(250, 'd');
  machine_.Folder("deep");
  int folder = open(machine_.Native("deep").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  for (int level = 0; level < 40 && folder >= 0; ++level) {
    ASSERT_EQ(mkdirat(folder, name.c_str(), 0755), 0);
    const int child = openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    close(folder);
    folder = child;
    ASSERT_GE(folder, 0);
    const int file = openat(folder, "f.txt", O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(file, 0);
    close(file);
  }
  close(folder);
  window_->txtDirPath()->setText("D:\\deep");
  PressScan();
  EXPECT_EQ(window_->lblvalue1()->text(), ": 40");
  const std::string shown = window_->lblFileName()->text().toStdString();
  EXPECT_LE(shown.size(), ui::kPathLabelBytes);
  EXPECT_TRUE(shown.starts_with("D:\\deep\\" + name + "\\" + name + "\\"))
      << shown.substr(0, 40);
  EXPECT_EQ(machine_.Attributes("deep/" + name), 0u);
}

TEST_F(FrmUtamaScanTest, BoxesAndScanAreLockedWhileThePassRuns) {
  machine_.File("one.txt");
  window_->txtDirPath()->setText("D:");
  bool scanEnabled = true;
  bool boxEnabled = true;
  bool stopEnabled = false;
  AtFirstProcessingPoint([&] {
    scanEnabled = window_->Command1(0)->isEnabled();
    boxEnabled = window_->Check1(0)->isEnabled();
    stopEnabled = window_->Command1(1)->isEnabled();
  });
  PressScan();
  EXPECT_FALSE(scanEnabled);
  EXPECT_FALSE(boxEnabled);
  EXPECT_TRUE(stopEnabled);
  EXPECT_EQ(machine_.Attributes("one.txt"), 0u);
  ExpectIdle();
}

TEST_F(FrmUtamaScanTest, StopDuringAPassEndsItAndUnlocksTheWindow) {
  // Sorted listings are not promised, so the stop is checked by what it must leave: one file
  // counted, none of the root's files changed, the controls back.
  for (int i = 0; i < 5; ++i) machine_.File("f" + std::to_string(i) + ".txt");
  window_->txtDirPath()->setText("D:\\");
  window_->Check1(2)->setChecked(true);
  AtFirstProcessingPoint([this] { window_->Command1(1)->click(); });
  PressScan();
  EXPECT_EQ(window_->lblvalue1()->text(), ": 1");
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(machine_.Attributes("f" + std::to_string(i) + ".txt"), 0u) << i;
  }
  EXPECT_TRUE(window_->StopFlag());
  ExpectIdle();
}

TEST_F(FrmUtamaScanTest, ClosingDuringAPassStopsItThenCloses) {
  for (int i = 0; i < 5; ++i) machine_.File("g" + std::to_string(i) + ".txt");
  machine_.Folder("sub");
  machine_.File("sub/deep.txt");
  window_->show();
  window_->txtDirPath()->setText("D:\\");
  window_->Check1(1)->setChecked(true);
  bool stillOpenRightAfterClose = false;
  AtFirstProcessingPoint([&] {
    window_->close();
    stillOpenRightAfterClose = window_->isVisible();
  });
  PressScan();
  EXPECT_TRUE(stillOpenRightAfterClose) << "the close waits for the pass";
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(window_->lblvalue1()->text(), ": 1");
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(machine_.Attributes("g" + std::to_string(i) + ".txt"), 0u) << i;
  }
  EXPECT_EQ(machine_.Attributes("sub/deep.txt"), 0u);
  ExpectIdle();
}

}  // namespace
}  // namespace lumaveil::app
