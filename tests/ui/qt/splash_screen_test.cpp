// The splash screen's animation, driven tick by tick, and its hand-over to the main window.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>

#include "ui/qt/splash_screen.h"
#include "ui/qt/app_test_support.h"
#include "ui/qt/folder_tree_widget.h"
#include "ui/qt/prgbar_widget.h"
#include "progressbar/prgbar.h"

namespace lumaveil::app {
namespace {

class SplashScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureApplication();
    splash_ = new SplashScreen([this] {
      ++handOvers_;
      // What the main window would find at the moment it is shown.
      splashHiddenAtHandOver_ = !splash_->isVisible();
      timerStoppedAtHandOver_ = !splash_->Timer1().isActive();
    });
    splash_->ShowCentred();
    // The test is the clock: ticks come from Tick(), never from the timer.
    EXPECT_TRUE(splash_->Timer1().isActive());
    splash_->Timer1().stop();
  }
  void TearDown() override { delete splash_.data(); }

  void Tick(int times) {
    for (int i = 0; i < times; ++i) splash_->Timer1_Timer();
  }
  QString Caption() const { return splash_->LblLoad()->text(); }
  QString Status() const { return splash_->lblProcess()->text(); }

  QPointer<SplashScreen> splash_;
  int handOvers_ = 0;
  bool splashHiddenAtHandOver_ = false;
  bool timerStoppedAtHandOver_ = false;
};

TEST_F(SplashScreenTest, OpensBorderlessWithItsStoredBarAndTimer) {
  EXPECT_TRUE(splash_->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(splash_->windowTitle(), "Lumaveil");
  EXPECT_EQ(Caption(), "Please wait LMV is configuring environment.");
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(splash_->Timer1().interval(), 250);
  progressbar::PrgBar& bar = splash_->P2()->Bar();
  EXPECT_EQ(bar.Color(), 0x006A240A);
  EXPECT_EQ(bar.Color2(), 0x006A240A);
  EXPECT_EQ(bar.Style(), 0);
  EXPECT_EQ(bar.Max(), 100);
  EXPECT_EQ(bar.value(), 0);
}

TEST_F(SplashScreenTest, TwentyTicksShowTheFixedAnimationThenHandOver) {
  Tick(1);
  EXPECT_EQ(Caption(), "Loading LMV System : 5% of 100%");
  EXPECT_EQ(Status(), "");
  Tick(1);
  EXPECT_EQ(Caption(), "Loading LMV System : 10% of 100%");
  EXPECT_EQ(Status(), "Scanning Components....");
  Tick(7);
  EXPECT_EQ(Status(), "Scanning Components....") << "a text stays until the next replaces it";
  Tick(1);
  EXPECT_EQ(Caption(), "Loading LMV System : 50% of 100%");
  EXPECT_EQ(Status(), " Please Wait ...");
  Tick(6);
  EXPECT_EQ(Caption(), "Loading LMV System : 80% of 100%");
  EXPECT_EQ(Status(), " Please Wait ...");
  Tick(1);
  EXPECT_EQ(Caption(), "Loading LMV System : 85% of 100%");
  EXPECT_EQ(Status(), "Scanning Process Finished...");
  Tick(2);
  EXPECT_EQ(handOvers_, 0);
  EXPECT_TRUE(splash_->isVisible());
  Tick(1);
  EXPECT_EQ(Caption(), "Loading LMV System : 100% of 100%");
  EXPECT_EQ(handOvers_, 1);
  EXPECT_TRUE(splashHiddenAtHandOver_);
  EXPECT_TRUE(timerStoppedAtHandOver_);
  EXPECT_TRUE(splash_->Unloaded());

  // The window is gone for good once its deletion is processed; a late tick does nothing.
  Tick(1);
  EXPECT_EQ(handOvers_, 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(splash_.isNull());
}

TEST_F(SplashScreenTest, BarThatCannotReachExactlyOneHundredStillEnds) {
  // Stored limits that stop the bar short, or make it step past 100, would otherwise keep the
  // program on its splash for ever.
  splash_->P2()->Bar().SetMax(50);
  Tick(40);
  EXPECT_EQ(handOvers_, 1);
}

TEST_F(SplashScreenTest, BarStartingOffTheFiveStepsEndsPastOneHundred) {
  splash_->P2()->Bar().SetMin(3);
  splash_->P2()->SetValue(3);
  Tick(10);
  EXPECT_EQ(handOvers_, 0);
  Tick(30);
  EXPECT_EQ(handOvers_, 1);
}

TEST(ProgramStartTest, SplashFirstThenTheMainWindowWithTheDrives) {
  testing::EnsureApplication();
  testing::FixtureMachine machine;
  testing::ScriptedPicker picker;
  Program program(machine.FileSystem(), picker, [] { FAIL() << "the program must not end"; });
  program.Start();
  ASSERT_NE(program.Splash(), nullptr);
  EXPECT_TRUE(program.Splash()->isVisible());
  EXPECT_EQ(program.MainWindow(), nullptr);
  program.Splash()->Timer1().stop();
  for (int i = 0; i < 20; ++i) program.Splash()->Timer1_Timer();
  ASSERT_NE(program.MainWindow(), nullptr);
  EXPECT_TRUE(program.MainWindow()->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(program.Splash(), nullptr);
  EXPECT_EQ(testing::WindowControls(program.MainWindow()).tvFolders()->topLevelItemCount(), 2);
}

}  // namespace
}  // namespace lumaveil::app
