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

#include <vector>

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
    controls_ = testing::WindowControls(window_.get());
  }

  // Scan pressed the way a user presses it.
  void PressScan() { controls_.Command1(0)->click(); }

  // A zero-delay timer runs at the pass's first chance to let window events run, that is
  // right after its first counted file.
  void AtFirstProcessingPoint(std::function<void()> action) {
    QTimer::singleShot(0, window_.get(), std::move(action));
  }

  void ExpectIdle() {
    EXPECT_TRUE(controls_.Command1(0)->isEnabled());
    EXPECT_TRUE(controls_.Command1(1)->isEnabled());
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(controls_.Check1(i)->isEnabled()) << i;
  }

  testing::FixtureMachine machine_;
  testing::ScriptedPicker picker_;
  std::unique_ptr<FrmUtama> window_;
  testing::WindowControls controls_;
};

TEST_F(FrmUtamaScanTest, ARefusedPathShowsTheWarningBoxAndNothingElse) {
  // Which paths are refused is ScanCommands' to test; here the window shows the refusal.
  machine_.File("keep.txt");
  window_->ShowCurrentFile("D:\\", "before.txt");
  window_->ShowFileCount(": 7");
  controls_.txtDirPath()->setText("\\\\server\\share");
  controls_.Check1(2)->setChecked(true);
  testing::MessageBoxWatcher watcher;
  PressScan();
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].text, "Path not found !");
  EXPECT_EQ(watcher.Seen()[0].title, "LMV ");
  EXPECT_EQ(watcher.Seen()[0].icon, QMessageBox::Warning);
  ExpectIdle();
  EXPECT_EQ(controls_.lblFileName()->text(), "D:\\before.txt");
  EXPECT_EQ(controls_.lblvalue1()->text(), ": 7");
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
  ASSERT_TRUE(fs::testing::SetAttributes(*target, "a.txt", kArchive));
  controls_.txtDirPath()->setText("D:\\target");
  controls_.Check1(2)->setChecked(true);
  controls_.Check1(3)->setChecked(true);
  testing::MessageBoxWatcher watcher;
  PressScan();

  EXPECT_TRUE(watcher.Seen().empty());
  for (const char* entry : {"target/a.txt", "target/docs", "target/docs/b.txt", "target/docs/old",
                            "target/docs/old/c.txt"}) {
    EXPECT_EQ(machine_.Attributes(entry), kHidden | kSystem) << entry;
  }
  EXPECT_EQ(machine_.Attributes("target"), 0u) << "the target itself is left as it is";
  EXPECT_EQ(machine_.Attributes("outside.txt"), 0u);
  EXPECT_EQ(controls_.lblvalue1()->text(), ": 3");
  EXPECT_TRUE(controls_.lblFileName()->text().startsWith("D:\\target\\"));
  EXPECT_TRUE(controls_.lblFileName()->text().endsWith(".txt"));
  EXPECT_TRUE(window_->StopRequested());
  ExpectIdle();

  // A second pass counts from 0 again; unticking clears what the first pass set.
  controls_.Check1(2)->setChecked(false);
  controls_.Check1(3)->setChecked(false);
  controls_.txtDirPath()->setText("D:\\target\\docs");
  PressScan();
  EXPECT_EQ(controls_.lblvalue1()->text(), ": 2");
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
  controls_.txtDirPath()->setText("D:\\deep");
  PressScan();
  EXPECT_EQ(controls_.lblvalue1()->text(), ": 40");
  const std::string shown = controls_.lblFileName()->text().toStdString();
  EXPECT_LE(shown.size(), ui::kPathLabelBytes);
  EXPECT_TRUE(shown.starts_with("D:\\deep\\" + name + "\\" + name + "\\"))
      << shown.substr(0, 40);
  EXPECT_EQ(machine_.Attributes("deep/" + name), 0u);
}

TEST_F(FrmUtamaScanTest, ThePassLocksTheWindowAndStopEndsItAndUnlocks) {
  // Sorted listings are not promised, so the stop is checked by what it must leave: one file
  // counted, none of the root's files changed, the controls back.
  for (int i = 0; i < 5; ++i) machine_.File("f" + std::to_string(i) + ".txt");
  controls_.txtDirPath()->setText("D:\\");
  controls_.Check1(2)->setChecked(true);
  bool scanEnabled = true;
  std::vector<bool> boxesEnabled;
  AtFirstProcessingPoint([&] {
    scanEnabled = controls_.Command1(0)->isEnabled();
    for (int i = 0; i < 4; ++i) boxesEnabled.push_back(controls_.Check1(i)->isEnabled());
    controls_.Command1(1)->click();
  });
  PressScan();
  EXPECT_FALSE(scanEnabled);
  EXPECT_EQ(boxesEnabled, std::vector<bool>(4, false));
  EXPECT_EQ(controls_.lblvalue1()->text(), ": 1");
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(machine_.Attributes("f" + std::to_string(i) + ".txt"), 0u) << i;
  }
  EXPECT_TRUE(window_->StopRequested());
  ExpectIdle();
}

TEST_F(FrmUtamaScanTest, ClosingDuringAPassStopsItThenCloses) {
  for (int i = 0; i < 5; ++i) machine_.File("g" + std::to_string(i) + ".txt");
  machine_.Folder("sub");
  machine_.File("sub/deep.txt");
  window_->show();
  controls_.txtDirPath()->setText("D:\\");
  controls_.Check1(1)->setChecked(true);
  bool stillOpenRightAfterClose = false;
  AtFirstProcessingPoint([&] {
    window_->close();
    stillOpenRightAfterClose = window_->isVisible();
  });
  PressScan();
  EXPECT_TRUE(stillOpenRightAfterClose) << "the close waits for the pass";
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(controls_.lblvalue1()->text(), ": 1");
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(machine_.Attributes("g" + std::to_string(i) + ".txt"), 0u) << i;
  }
  EXPECT_EQ(machine_.Attributes("sub/deep.txt"), 0u);
  ExpectIdle();
}

}  // namespace
}  // namespace lumaveil::app
